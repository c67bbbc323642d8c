// velmorin hosts VST3 plug-ins: the bundle Velmorin.vst3 renders exactly
// what Velmorin.so renders with the same program and settings, the commands
// take it, and a broken bundle ends the command with one line.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "audio_file.h"
#include "demo_mix.h"
#include "host_error.h"
#include "open_plugin.h"
#include "run_velmorin.h"
#include "temp_folder.h"

using namespace velmorin::host;

namespace {

AudioBuffer twoSecondsOfDemoMix() {
    AudioBuffer audio = synthesizeDemoMix();
    audio.resize(2 * audio.sampleRate + 77);
    return audio;
}

class Vst3Host : public ::testing::Test {
  protected:
    void SetUp() override { writeAudioFile(input_, twoSecondsOfDemoMix(), SampleFormat::float32); }

    AudioBuffer renderWith(const std::string& plugin, const std::vector<std::string>& settings) {
        const std::filesystem::path output = folder_ / "out.wav";
        std::filesystem::remove(output);
        std::vector<std::string> arguments = {"render", input_.string(), output.string(),
                                              "--plugin", plugin};
        arguments.insert(arguments.end(), settings.begin(), settings.end());
        const CommandResult result = runVelmorin(arguments);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        return readAudioFile(output);
    }

    TempFolder folder_;
    std::filesystem::path input_ = folder_ / "in.wav";
};

TEST_F(Vst3Host, RendersEveryProgramExactlyAsTheVstBuild) {
    for (int program = 0; program < 18; ++program) {
        const std::vector<std::string> choice = {"--program", std::to_string(program)};
        const AudioBuffer vst = renderWith(VELMORIN_PLUGIN_PATH, choice);
        const AudioBuffer vst3 = renderWith(VELMORIN_VST3_BUNDLE, choice);
        SCOPED_TRACE("program " + std::to_string(program));
        ASSERT_EQ(vst3.frames(), vst.frames());
        EXPECT_EQ(vst3.left, vst.left);
        EXPECT_EQ(vst3.right, vst.right);
    }
}

// --set takes the VST3 parameter's plain value, the number shown: -18 dB is
// 0.5 to the VST 2.4 build, as +12 dB Output is.
TEST_F(Vst3Host, SettingsTakeThePlainValueAndMatchTheVstBuild) {
    const AudioBuffer vst =
        renderWith(VELMORIN_PLUGIN_PATH, {"--program", "Mastering 1", "--set", "ThrH=0.5", "--set",
                                          "Output=0.5", "--param", "23=1"});
    const AudioBuffer vst3 =
        renderWith(VELMORIN_VST3_BUNDLE, {"--program", "Mastering 1", "--set", "High threshold=-18",
                                          "--set", "Output gain=12", "--param", "23=1"});
    EXPECT_EQ(vst3.left, vst.left);
    EXPECT_EQ(vst3.right, vst.right);
    const AudioBuffer plain = renderWith(VELMORIN_VST3_BUNDLE, {"--program", "Mastering 1"});
    EXPECT_NE(vst3.left, plain.left);  // the settings did reach the plug-in
}

TEST_F(Vst3Host, InfoBatchAndBenchTakeTheBundle) {
    const CommandResult info = runVelmorin({"info", "--plugin", VELMORIN_VST3_BUNDLE});
    ASSERT_EQ(info.exitCode, 0) << info.err;
    for (const char* line : {"name            Velmorin\n", "VST3 SDK        VST 3.8.1\n",
                             "\"High threshold\"         \"dB\"     \"-10.0\"", "\"Host bypass\"",
                             "programs (18), current -1\n", "    9  Carpe Diem\n"})
        EXPECT_NE(info.out.find(line), std::string::npos) << line << "\n" << info.out;

    std::vector<AudioBuffer> written;
    for (const char* plugin : {VELMORIN_PLUGIN_PATH, VELMORIN_VST3_BUNDLE}) {
        const std::filesystem::path out = folder_ / std::filesystem::path(plugin).filename();
        const CommandResult batch =
            runVelmorin({"batch", input_.string(), "--program", "Mastering 1", "--output-dir",
                         out.string(), "--plugin", plugin});
        ASSERT_EQ(batch.exitCode, 0) << batch.err;
        written.push_back(readAudioFile(out / "in.wav"));
    }
    EXPECT_EQ(written[0].left, written[1].left);

    const CommandResult bench =
        runVelmorin({"bench", VELMORIN_PLUGIN_PATH, "--program", "Mastering 1",
                     VELMORIN_VST3_BUNDLE, "--program", "Mastering 1", "--seconds", "0.5"});
    ASSERT_EQ(bench.exitCode, 0) << bench.err;
    EXPECT_NE(bench.out.find("Velmorin.vst3 "), std::string::npos) << bench.out;
}

// What velmorin keeps of a session (the live command's state file): the
// settings come back in a fresh instance, and bytes of anything else are
// refused with a reason.
TEST(Vst3State, SavedSettingsComeBackAndForeignBytesAreRefused) {
    const std::unique_ptr<PluginInstance> made = openPlugin(VELMORIN_VST3_BUNDLE);
    made->selectProgram(5);
    made->setParameter(4, -20.5f);  // Mid threshold, as shown
    made->prepare(44100.0, 64);
    made->start();
    std::vector<float> silence(64), out(128);
    const float* inputs[2] = {silence.data(), silence.data()};
    float* outputs[2] = {out.data(), out.data() + 64};
    made->process(inputs, outputs, 64);
    made->stop();
    const std::vector<uint8_t> state = made->saveState();

    const std::unique_ptr<PluginInstance> fresh = openPlugin(VELMORIN_VST3_BUNDLE);
    fresh->loadState(state);
    EXPECT_EQ(fresh->parameter(4), -20.5f);
    EXPECT_EQ(fresh->saveState(), state);
    for (std::vector<uint8_t> foreign :
         {std::vector<uint8_t>{}, std::vector<uint8_t>(state.begin(), state.end() - 1),
          std::vector<uint8_t>(40, 7)})
        EXPECT_THROW(fresh->loadState(foreign), HostError);
}

TEST(Vst3BadInput, ABundleWithoutItsModuleEndsWithOneLine) {
    TempFolder folder;
    const std::filesystem::path bundle = folder / "Empty.vst3";
    std::filesystem::create_directories(bundle / "Contents");
    const CommandResult result = runVelmorin({"info", "--plugin", bundle.string()});
    EXPECT_NE(result.exitCode, 0);
    EXPECT_NE(result.err.find("Empty.vst3"), std::string::npos) << result.err;
    EXPECT_EQ(result.err.find('\n'), result.err.size() - 1) << result.err;
}

}  // namespace
