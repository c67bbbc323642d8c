// Every bad input ends the command with one line naming the thing and the
// reason, a non-zero exit, and no output file or leftover temporary file.
#include <gtest/gtest.h>
#include <sndfile.h>

#include <unistd.h>

#include <fstream>

#include "audio_file.h"
#include "demo_mix.h"
#include "run_velmorin.h"
#include "temp_folder.h"

using namespace velmorin::host;

namespace {

void writeText(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path) << text;
}

void writeWav(const std::filesystem::path& path, int channels, sf_count_t frames) {
    SF_INFO info{};
    info.samplerate = 44100;
    info.channels = channels;
    info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr);
    std::vector<float> silence(static_cast<std::size_t>(frames * channels), 0.25f);
    sf_writef_float(file, silence.data(), frames);
    sf_close(file);
}

class BadInput : public ::testing::Test {
  protected:
    void SetUp() override {
        AudioBuffer audio;
        audio.resize(4410);
        writeAudioFile(input_, audio, SampleFormat::float32);
        before_ = folder_.names();
    }

    // Runs the command and checks the failure contract; MENTIONS must appear
    // in the one line it prints.
    void expectRefused(const std::vector<std::string>& arguments,
                       const std::vector<std::string>& mentions) {
        SCOPED_TRACE(::testing::PrintToString(arguments));
        const CommandResult result = runAs_.empty() ? runVelmorin(arguments) : runAs(arguments);
        EXPECT_NE(result.exitCode, 0);
        EXPECT_EQ(result.out, "");
        ASSERT_FALSE(result.err.empty());
        EXPECT_EQ(result.err.find('\n'), result.err.size() - 1) << result.err;
        for (const auto& mention : mentions) {
            EXPECT_NE(result.err.find(mention), std::string::npos) << result.err;
        }
        EXPECT_EQ(folder_.names(), before_);
    }

    std::vector<std::string> render(std::vector<std::string> options) const {
        std::vector<std::string> arguments = {"render", input_.string(), output_.string()};
        arguments.insert(arguments.end(), options.begin(), options.end());
        return arguments;
    }

    // Runs the command through the command in runAs_ (a user switch).
    CommandResult runAs(const std::vector<std::string>& arguments) const {
        std::vector<std::string> all(runAs_.begin() + 1, runAs_.end());
        all.push_back(VELMORIN_COMMAND_PATH);
        all.insert(all.end(), arguments.begin(), arguments.end());
        return runProgram(runAs_.front(), all);
    }

    std::vector<std::string> runAs_;
    TempFolder folder_;
    std::filesystem::path input_ = folder_ / "in.wav";
    std::filesystem::path output_ = folder_ / "out.wav";
    std::set<std::string> before_;
};

TEST_F(BadInput, InputFilesThatCannotBeRendered) {
    const auto missing = folder_ / "missing.wav";
    expectRefused({"render", missing.string(), output_.string()}, {missing.string(), "no such"});
    expectRefused({"render", folder_.path().string(), output_.string()},
                  {folder_.path().string(), "folder"});

    const auto text = folder_ / "notes.wav";
    writeText(text, "these are not samples\n");
    const auto surround = folder_ / "surround.wav";
    writeWav(surround, 6, 100);
    const auto empty = folder_ / "empty.wav";
    writeWav(empty, 2, 0);
    before_ = folder_.names();
    expectRefused({"render", text.string(), output_.string()}, {text.string(), "not audio"});
    expectRefused({"render", surround.string(), output_.string()},
                  {surround.string(), "6 channels"});
    expectRefused({"render", empty.string(), output_.string()}, {empty.string(), "no audio"});
}

TEST_F(BadInput, OutputThatWouldLoseOrCannotHoldTheResult) {
    expectRefused({"render", input_.string(), input_.string()}, {input_.string(), "input"});
    const auto sameByAnotherName = folder_.path() / "." / "in.wav";
    expectRefused({"render", input_.string(), sameByAnotherName.string()}, {"is the input"});
    EXPECT_EQ(readAudioFile(input_).frames(), 4410u);  // the input survives

    expectRefused({"render", input_.string(), folder_.path().string()}, {"is a folder"});
    const auto noFolder = folder_ / "absent" / "out.wav";
    expectRefused({"render", input_.string(), noFolder.string()}, {"output folder", "absent"});
    const auto plainFile = folder_ / "plain";
    writeText(plainFile, "a file, not a folder");
    before_ = folder_.names();
    expectRefused({"render", input_.string(), (plainFile / "out.wav").string()},
                  {"output folder", plainFile.string()});
}

TEST_F(BadInput, FilesAndFoldersWithoutPermission) {
    const auto locked = folder_ / "locked.wav";
    std::filesystem::copy_file(input_, locked);
    std::filesystem::permissions(locked, std::filesystem::perms::none);
    const auto readOnly = folder_ / "read-only";
    std::filesystem::create_directory(readOnly);
    std::filesystem::permissions(
        readOnly, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec |
                      std::filesystem::perms::group_read | std::filesystem::perms::group_exec |
                      std::filesystem::perms::others_read | std::filesystem::perms::others_exec);
    before_ = folder_.names();
    if (geteuid() == 0) {  // permissions bind everyone but root: run as nobody
        runAs_ = {"runuser", "-u", "nobody", "--"};
        if (runAs({"--help"}).exitCode != 0) {
            GTEST_SKIP() << "running as root, and nobody cannot run " << VELMORIN_COMMAND_PATH;
        }
    }
    expectRefused({"render", locked.string(), output_.string()}, {locked.string(), "cannot read"});
    expectRefused({"render", input_.string(), (readOnly / "out.wav").string()},
                  {"output folder " + readOnly.string(), "cannot write"});
    EXPECT_TRUE(std::filesystem::is_empty(readOnly));
}

TEST_F(BadInput, PluginsThatCannotBeHosted) {
    const auto missing = folder_ / "missing.so";
    expectRefused(render({"--plugin", missing.string()}), {missing.string(), "no such"});
    const auto text = folder_ / "text.so";
    writeText(text, "not a library");
    before_ = folder_.names();
    expectRefused(render({"--plugin", text.string()}), {text.string(), "not a loadable library"});
    expectRefused(render({"--plugin", BROKEN_NO_ENTRY}), {BROKEN_NO_ENTRY, "VSTPluginMain"});
    expectRefused(render({"--plugin", BROKEN_NULL_ENTRY}), {BROKEN_NULL_ENTRY, "no effect"});
    expectRefused(render({"--plugin", BROKEN_WRONG_MAGIC}), {BROKEN_WRONG_MAGIC, "magic"});
    expectRefused(render({"--plugin", BROKEN_MONO}), {BROKEN_MONO, "2 inputs into 2 outputs"});
    expectRefused({"info", "--plugin", BROKEN_MONO}, {BROKEN_MONO, "2 inputs into 2 outputs"});
}

TEST_F(BadInput, ProgramsParametersValuesAndBlockSizes) {
    expectRefused(render({"--program", "18"}), {"--program 18", "no program 18"});
    expectRefused(render({"--program", "Mastering 9"}), {"--program Mastering 9", "no program"});
    expectRefused(render({"--set", "ThrX=0.5"}), {"--set ThrX=0.5", "no parameter named"});
    // A name with its trailing blanks is not the parameter's name.
    expectRefused(render({"--set", "ThrH  =0.5"}), {"no parameter named 'ThrH  '"});
    expectRefused(render({"--param", "31=0.5"}), {"--param 31=0.5", "no parameter 31"});
    expectRefused(render({"--param", "-1=0.5"}), {"--param -1=0.5", "no parameter -1"});
    expectRefused(render({"--set", "ThrH"}), {"--set ThrH", "NAME=VALUE"});
    expectRefused(render({"--set", "ThrH=loud"}), {"--set ThrH=loud", "not a number"});
    expectRefused(render({"--param", "3=0.5x"}), {"--param 3=0.5x", "not a number"});
    expectRefused(render({"--param", "3=nan"}), {"--param 3=nan", "not a number"});
    expectRefused(render({"--block", "0"}), {"--block 0", "positive"});
    expectRefused(render({"--block", "-512"}), {"--block -512", "positive"});
    expectRefused(render({"--block", "2000000"}), {"--block 2000000", "at most"});
    expectRefused(render({"--format", "pcm8"}), {"--format", "pcm8"});
    expectRefused({"demo", folder_.path().string(), "--program", "Nothing"},
                  {"--program Nothing", "no program"});
}

}  // namespace
