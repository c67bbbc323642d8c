// velmorin hosts CLAP plug-ins: Velmorin.clap renders exactly what
// Velmorin.so renders with the same program and settings, every command takes
// it, and a broken .clap file ends the command with one line.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "audio_file.h"
#include "demo_mix.h"
#include "run_velmorin.h"
#include "temp_folder.h"

using namespace velmorin::host;

namespace {

constexpr int kPrograms = 18;

AudioBuffer demoMix() {
    AudioBuffer audio = synthesizeDemoMix();
    audio.resize(2 * audio.sampleRate + 77);
    return audio;
}

// Loud and quiet in turn, so that every band's compressor and the limiter act.
AudioBuffer sineBursts() {
    AudioBuffer audio;
    audio.sampleRate = 48000;
    audio.resize(audio.sampleRate + 123);
    for (std::size_t i = 0; i < audio.frames(); ++i) {
        const float level = (i / 4800) % 2 ? 0.05f : 0.95f;
        audio.left[i] = level * static_cast<float>(std::sin(0.031 * static_cast<double>(i)));
        audio.right[i] = level * static_cast<float>(std::sin(0.0021 * static_cast<double>(i)));
    }
    return audio;
}

struct Signal {
    const char* name;
    AudioBuffer (*make)();
};
const Signal kSignals[] = {{"demo mix", demoMix}, {"sine bursts", sineBursts}};

class ClapHost : public ::testing::Test {
  protected:
    AudioBuffer renderWith(const std::filesystem::path& input, const std::string& plugin,
                           const std::vector<std::string>& settings) {
        const std::filesystem::path output = folder_ / "out.wav";
        std::filesystem::remove(output);
        std::vector<std::string> arguments = {"render", input.string(), output.string(), "--plugin",
                                              plugin};
        arguments.insert(arguments.end(), settings.begin(), settings.end());
        const CommandResult result = runVelmorin(arguments);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        return readAudioFile(output);
    }

    TempFolder folder_;
};

TEST_F(ClapHost, RendersEveryProgramExactlyAsTheVstBuild) {
    for (const Signal& signal : kSignals) {
        const std::filesystem::path input = folder_ / "in.wav";
        writeAudioFile(input, signal.make(), SampleFormat::float32);
        for (int program = 0; program < kPrograms; ++program) {
            const std::vector<std::string> choice = {"--program", std::to_string(program)};
            const AudioBuffer vst = renderWith(input, VELMORIN_PLUGIN_PATH, choice);
            const AudioBuffer clap = renderWith(input, VELMORIN_CLAP_PATH, choice);
            SCOPED_TRACE(std::string(signal.name) + ", program " + std::to_string(program));
            ASSERT_EQ(clap.frames(), vst.frames());
            EXPECT_EQ(clap.left, vst.left);
            EXPECT_EQ(clap.right, vst.right);
        }
    }
}

// --set takes the CLAP parameter's plain value: -18 dB is 36 half-decibels
// there and 0.5 to the VST 2.4 build.
TEST_F(ClapHost, SettingsTakeThePlainValueAndMatchTheVstBuild) {
    const std::filesystem::path input = folder_ / "in.wav";
    writeAudioFile(input, demoMix(), SampleFormat::float32);
    const AudioBuffer vst = renderWith(input, VELMORIN_PLUGIN_PATH,
                                       {"--program", "Mastering 1", "--set", "ThrH=0.5", "--set",
                                        "Output=0.5", "--param", "23=1"});
    const AudioBuffer clap = renderWith(input, VELMORIN_CLAP_PATH,
                                        {"--program", "Mastering 1", "--set", "High threshold=-18",
                                         "--set", "Output gain=12", "--param", "23=1"});
    EXPECT_EQ(clap.left, vst.left);
    EXPECT_EQ(clap.right, vst.right);
    const AudioBuffer plain = renderWith(input, VELMORIN_CLAP_PATH, {"--program", "Mastering 1"});
    EXPECT_NE(clap.left, plain.left);  // the settings did reach the plug-in
}

// batch (to a loudness target) and bench take either build through --plugin,
// and the two builds write the same audio.
TEST_F(ClapHost, CommandsTakeEitherFormatThroughThePluginOption) {
    const std::filesystem::path input = folder_ / "in.wav";
    writeAudioFile(input, demoMix(), SampleFormat::float32);
    const struct {
        const char* name;
        std::vector<std::string> arguments;
        const char* written;  // in the command's folder; null: the output names the plug-in
    } kCommands[] = {
        {"batch",
         {"batch", input.string(), "--program", "Mastering 1", "--target-lufs", "-18",
          "--output-dir"},
         "in.wav"},
        {"bench", {"bench", "--seconds", "0.2", "--program", "Heavy"}, nullptr},
    };
    for (const auto& command : kCommands) {
        std::vector<AudioBuffer> written;
        for (const char* plugin : {VELMORIN_PLUGIN_PATH, VELMORIN_CLAP_PATH}) {
            SCOPED_TRACE(std::string(command.name) + " " + plugin);
            const std::filesystem::path out = folder_ / std::filesystem::path(plugin).filename();
            std::vector<std::string> arguments = command.arguments;
            if (command.written) arguments.push_back(out.string());
            arguments.insert(arguments.end(), {"--plugin", plugin});
            const CommandResult result = runVelmorin(arguments);
            ASSERT_EQ(result.exitCode, 0) << result.err;
            if (command.written) {
                written.push_back(readAudioFile(out / command.written));
            } else {
                const std::string name = std::filesystem::path(plugin).filename().string();
                EXPECT_EQ(result.out.find(name + " "), result.out.rfind(name + " ")) << result.out;
                EXPECT_NE(result.out.find(name + " "), std::string::npos) << result.out;
            }
        }
        if (!command.written) continue;
        SCOPED_TRACE(command.name);
        ASSERT_EQ(written[0].frames(), written[1].frames());
        EXPECT_GT(written[0].frames(), 0u);
        EXPECT_EQ(written[0].left, written[1].left);
        EXPECT_EQ(written[0].right, written[1].right);
    }
}

// Program 0, chosen by number or by name, is named in the text report, the
// JSON report and the line that repeats the render.
TEST_F(ClapHost, ProgramZeroIsNamedInEveryReport) {
    const std::filesystem::path input = folder_ / "in.wav";
    writeAudioFile(input, demoMix(), SampleFormat::float32);
    for (const char* choice : {"0", "Init"}) {
        SCOPED_TRACE(choice);
        const std::filesystem::path json = folder_ / "report.json";
        const CommandResult result =
            runVelmorin({"render", input.string(), (folder_ / "out.wav").string(), "--plugin",
                         VELMORIN_CLAP_PATH, "--program", choice, "--target-lufs", "-20", "--json",
                         json.string()});
        ASSERT_EQ(result.exitCode, 0) << result.err;
        EXPECT_NE(result.out.find("program  \"Init\"\n"), std::string::npos) << result.out;
        EXPECT_NE(result.out.find("--program 'Init'"), std::string::npos) << result.out;
        EXPECT_NE(fileBytes(json).find("\"program\": \"Init\""), std::string::npos);
    }
}

TEST(ClapInfo, ShowsIdentityParametersAndPresets) {
    const CommandResult result = runVelmorin({"info", "--plugin", VELMORIN_CLAP_PATH});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    for (const char* line :
         {"name            Velmorin\n", "id              com.quandorweb.velmorin\n",
          "parameters (31)\n", "\"High threshold\"", "\"-10.0 dB\"", "programs (18), current -1\n",
          "    1  Mastering 1\n", "   11  Suffer well\n"}) {
        EXPECT_NE(result.out.find(line), std::string::npos) << line << "\n" << result.out;
    }
}

TEST(ClapBench, MeasuresBothFormatsSideBySide) {
    const CommandResult result =
        runVelmorin({"bench", VELMORIN_PLUGIN_PATH, "--program", "Mastering 1", VELMORIN_CLAP_PATH,
                     "--program", "Mastering 1", "--seconds", "1"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    for (const char* name : {"Velmorin.so ", "Velmorin.clap "}) {
        EXPECT_NE(result.out.find(name), std::string::npos) << name << "\n" << result.out;
    }
}

TEST(ClapBadInput, BrokenFilesEndWithOneLineNamingThemAndTheReason) {
    TempFolder folder;
    const std::filesystem::path text = folder / "text.clap";
    std::ofstream(text) << "not a library\n";
    const std::filesystem::path empty = folder / "empty.clap";
    std::ofstream{empty};
    const std::filesystem::path vst = folder / "vst.clap";
    std::filesystem::copy_file(VELMORIN_PLUGIN_PATH, vst);
    const std::filesystem::path mono = folder / "mono.clap";
    std::filesystem::copy_file(BROKEN_MONO, mono);
    const std::filesystem::path folderClap = folder / "folder.clap";
    std::filesystem::create_directory(folderClap);
    const struct {
        std::filesystem::path path;
        const char* reason;
    } kCases[] = {
        {text, "not a loadable library"}, {empty, "not a loadable library"},
        {vst, "exports no clap_entry"},   {mono, "exports no clap_entry"},
        {folderClap, "is a folder"},      {folder / "missing.clap", "no such file"},
    };
    for (const auto& [path, reason] : kCases) {
        for (const char* command : {"info", "bench"}) {
            const CommandResult result = runVelmorin(
                std::string(command) == "info"
                    ? std::vector<std::string>{"info", "--plugin", path.string()}
                    : std::vector<std::string>{"bench", path.string(), "--seconds", "0.1"});
            SCOPED_TRACE(std::string(command) + " " + path.string());
            EXPECT_NE(result.exitCode, 0);
            EXPECT_EQ(result.err.find("velmorin: plug-in " + path.string() + ": " + reason), 0u)
                << result.err;
            EXPECT_EQ(result.err.find('\n'), result.err.size() - 1) << result.err;
        }
    }
}

}  // namespace
