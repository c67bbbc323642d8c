// velmorin batch: every output is byte for byte what render writes for that
// file alone, whatever the number of threads; a file that fails leaves the
// others written and the exit non-zero.
#include <gtest/gtest.h>

#include <fstream>

#include "audio_file.h"
#include "demo_mix.h"
#include "run_velmorin.h"
#include "temp_folder.h"

using namespace velmorin::host;

namespace {

// Every render option, so that each is shown to reach the batch's renders.
const std::vector<std::string> kOptions = {
    "--program", "Mastering 1",          "--set",    "ThrH=0.3", "--param", "17=0.4", "--block",
    "300",       "--compensate-latency", "--format", "pcm24"};

class Batch : public ::testing::Test {
  protected:
    // Three pieces of the demo mix, each a different length and place.
    void SetUp() override {
        const AudioBuffer mix = synthesizeDemoMix();
        const std::size_t starts[] = {0, 5 * 44100, 11 * 44100};
        const std::size_t lengths[] = {2 * 44100 + 17, 3 * 44100, 44100 + 300};
        for (int i = 0; i < 3; ++i) {
            AudioBuffer piece;
            piece.left.assign(mix.left.begin() + starts[i],
                              mix.left.begin() + starts[i] + lengths[i]);
            piece.right.assign(mix.right.begin() + starts[i],
                               mix.right.begin() + starts[i] + lengths[i]);
            inputs_.push_back(folder_ / ("track" + std::to_string(i + 1) + ".wav"));
            writeAudioFile(inputs_.back(), piece, SampleFormat::float32);
        }
    }

    CommandResult batch(const std::vector<std::filesystem::path>& inputs,
                        const std::filesystem::path& out, std::vector<std::string> extra) {
        std::vector<std::string> arguments = {"batch"};
        for (const auto& input : inputs) arguments.push_back(input.string());
        arguments.insert(arguments.end(), {"--output-dir", out.string()});
        arguments.insert(arguments.end(), kOptions.begin(), kOptions.end());
        arguments.insert(arguments.end(), extra.begin(), extra.end());
        return runVelmorin(arguments);
    }

    TempFolder folder_;
    std::vector<std::filesystem::path> inputs_;
};

TEST_F(Batch, WritesWhatRenderWritesForEachFileAloneWithAnyNumberOfThreads) {
    const CommandResult one = batch(inputs_, folder_ / "one", {"--jobs", "1"});
    ASSERT_EQ(one.exitCode, 0) << one.err;
    const CommandResult four = batch(inputs_, folder_ / "four", {"--jobs", "4"});
    ASSERT_EQ(four.exitCode, 0) << four.err;
    for (const auto& input : inputs_) {
        const std::string name = input.filename().string();
        SCOPED_TRACE(name);
        std::vector<std::string> render = {"render", input.string(),
                                           (folder_ / ("alone-" + name)).string()};
        render.insert(render.end(), kOptions.begin(), kOptions.end());
        const CommandResult alone = runVelmorin(render);
        ASSERT_EQ(alone.exitCode, 0) << alone.err;
        const std::string expected = fileBytes(folder_ / ("alone-" + name));
        EXPECT_EQ(fileBytes(folder_ / "one" / name), expected);
        EXPECT_EQ(fileBytes(folder_ / "four" / name), expected);
        EXPECT_NE(four.out.find(name), std::string::npos) << four.out;
    }
    EXPECT_NE(four.out.find("3 files"), std::string::npos) << four.out;
}

TEST_F(Batch, AFailingFileLeavesTheOthersWrittenAndTheExitNonZero) {
    const auto broken = folder_ / "broken.wav";
    std::ofstream(broken) << "not audio at all\n";
    const std::vector<std::filesystem::path> inputs = {inputs_[0], broken, inputs_[1], inputs_[2]};
    const auto out = folder_ / "out";
    const CommandResult result =
        batch(inputs, out, {"--jobs", "2", "--json", (folder_ / "r.json").string()});
    EXPECT_NE(result.exitCode, 0);
    EXPECT_NE(result.err.find(broken.string() + ": not audio"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("1 of 4 files failed"), std::string::npos) << result.err;
    EXPECT_NE(result.out.find("broken.wav"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("FAILED"), std::string::npos) << result.out;
    EXPECT_EQ(TempFolder::namesIn(out),
              (std::set<std::string>{"track1.wav", "track2.wav", "track3.wav"}));
    const std::string report = fileBytes(folder_ / "r.json");
    EXPECT_NE(report.find("\"status\": \"failed\""), std::string::npos) << report;
}

TEST_F(Batch, ReplacesOutputsThatExistOnlyWhenAskedTo) {
    const auto out = folder_ / "out";
    ASSERT_EQ(batch({inputs_[0]}, out, {}).exitCode, 0);
    std::ofstream(out / "track1.wav") << "an older file";
    const CommandResult refused = batch({inputs_[0]}, out, {});
    EXPECT_NE(refused.exitCode, 0);
    EXPECT_NE(refused.err.find("--overwrite"), std::string::npos) << refused.err;
    EXPECT_EQ(fileBytes(out / "track1.wav"), "an older file");
    ASSERT_EQ(batch({inputs_[0]}, out, {"--overwrite"}).exitCode, 0);
    EXPECT_EQ(readAudioFile(out / "track1.wav").frames(), 2 * 44100u + 17);
}

}  // namespace
