// velmorin render gives exactly the samples of driving the plug-in directly
// through its interface record with the same block size and settings.
#include <gtest/gtest.h>

#include "audio_file.h"
#include "demo_mix.h"
#include "params/parameter_table.h"
#include "run_velmorin.h"
#include "support/loaded_plugin.h"
#include "temp_folder.h"

using namespace velmorin::host;
using velmorin::kOutput;
using velmorin::kThrH;

namespace {

constexpr int32_t kBlock = 300;  // not a divisor of the length: a short last block
constexpr int32_t kMasteringOne = 1;

AudioBuffer shortMix() {
    AudioBuffer audio = synthesizeDemoMix();
    audio.resize(3 * audio.sampleRate + 123);
    return audio;
}

// The reference: the test harness's own host drives the record.
AudioBuffer processDirectly(const AudioBuffer& input, std::size_t silentTail) {
    Plugin plugin;
    plugin.dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(input.sampleRate));
    plugin.dispatch(effSetBlockSize, 0, kBlock);
    plugin.selectProgram(kMasteringOne);
    plugin.set(kThrH, 0.5f);
    plugin.set(kOutput, 0.4f);
    plugin.set(kThrH, 0.25f);  // settings apply in the order given: the last one wins
    plugin.dispatch(effMainsChanged, 0, 1);
    AudioBuffer in = input;
    in.resize(input.frames() + silentTail);
    AudioBuffer out;
    out.sampleRate = input.sampleRate;
    out.resize(in.frames());
    for (std::size_t at = 0; at < in.frames(); at += kBlock) {
        const auto frames = static_cast<int32_t>(std::min<std::size_t>(kBlock, in.frames() - at));
        plugin.process(&in.left[at], &in.right[at], &out.left[at], &out.right[at], frames);
    }
    plugin.dispatch(effMainsChanged, 0, 0);
    return out;
}

class Render : public ::testing::Test {
  protected:
    void SetUp() override { writeAudioFile(input_, shortMix(), SampleFormat::float32); }

    AudioBuffer renderWithCommand(const std::vector<std::string>& extra) {
        std::vector<std::string> arguments = {"render",
                                              input_.string(),
                                              output_.string(),
                                              "--program",
                                              "Mastering 1",
                                              "--set",
                                              "ThrH=0.5",
                                              "--param",
                                              "17=0.4",
                                              "--param",
                                              "3=0.25",
                                              "--block",
                                              std::to_string(kBlock)};
        arguments.insert(arguments.end(), extra.begin(), extra.end());
        const CommandResult result = runVelmorin(arguments);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_NE(result.out.find("latency"), std::string::npos);
        return readAudioFile(output_);
    }

    TempFolder folder_;
    std::filesystem::path input_ = folder_ / "in.wav";
    std::filesystem::path output_ = folder_ / "out.wav";
};

TEST_F(Render, GivesTheSamplesOfTheRecordDrivenDirectly) {
    const AudioBuffer input = readAudioFile(input_);
    const AudioBuffer expected = processDirectly(input, 0);
    const AudioBuffer rendered = renderWithCommand({});
    ASSERT_EQ(rendered.frames(), input.frames());
    EXPECT_EQ(rendered.sampleRate, input.sampleRate);
    EXPECT_EQ(rendered.left, expected.left);
    EXPECT_EQ(rendered.right, expected.right);
    EXPECT_EQ(folder_.names(), (std::set<std::string>{"in.wav", "out.wav"}));
}

TEST_F(Render, CompensatedLatencyLinesTheOutputUpWithTheInput) {
    const AudioBuffer input = readAudioFile(input_);
    Plugin probe;
    const auto latency = static_cast<std::size_t>(probe.effect()->initialDelay);
    ASSERT_GT(latency, 0u);
    const AudioBuffer direct = processDirectly(input, latency);
    const AudioBuffer rendered = renderWithCommand({"--compensate-latency"});
    ASSERT_EQ(rendered.frames(), input.frames());
    const std::vector<float> left(direct.left.begin() + latency, direct.left.end());
    const std::vector<float> right(direct.right.begin() + latency, direct.right.end());
    EXPECT_EQ(rendered.left, left);
    EXPECT_EQ(rendered.right, right);
}

TEST(Demo, WritesBothFilesAndPrintsTheReport) {
    TempFolder folder;
    const auto out = folder / "demo";
    const CommandResult result = runVelmorin({"demo", out.string()});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err, "");  // not a terminal: no progress bar
    for (const char* figure : {"Mastering 1", "true peak", "LUFS", "LU", "880 samples"}) {
        EXPECT_NE(result.out.find(figure), std::string::npos) << figure << "\n" << result.out;
    }
    const AudioBuffer input = readAudioFile(out / "demo-input.wav");
    EXPECT_EQ(input.left, synthesizeDemoMix().left);
    EXPECT_EQ(readAudioFile(out / "demo-mastered.wav").frames(), input.frames());
}

}  // namespace
