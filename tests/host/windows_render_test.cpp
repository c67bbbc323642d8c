// velmorin.exe rendering through the Windows modules under Wine gives the
// samples of the Linux render: Velmorin.dll for "Mastering 1", as the Linux
// command renders it through Velmorin.so, and Velmorin.clap and the bundle
// Velmorin.vst3 for every program, as the Linux command renders them through
// the Linux Velmorin.clap and Velmorin.vst3.
// The two C libraries' single-precision functions may differ in the last
// bit, so the difference is measured, printed and bounded.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "audio_file.h"
#include "demo_mix.h"
#include "params/program_bank.h"
#include "run_velmorin.h"
#include "temp_folder.h"

using namespace velmorin::host;

namespace {

// About -100 dBFS: far below audibility, far above a last-bit difference
// carried through the filters.
constexpr float kBound = 1e-5f;

// The demo mix's groove and breakdown (every part plays) rendered with
// `settings` on Linux (through `linuxPlugin`, or the command's own plug-in
// when empty) and under Wine through `windowsPlugin` of the Windows build;
// the largest difference between the two.
void expectSameRenders(const std::string& linuxPlugin, const std::string& windowsPlugin,
                       const std::vector<std::string>& settings) {
    TempFolder folder;
    const auto input = folder / "in.wav";
    AudioBuffer mix = synthesizeDemoMix();
    mix.resize(8 * mix.sampleRate);
    writeAudioFile(input, mix, SampleFormat::float32);

    std::vector<std::string> linuxRender = {"render", input.string(),
                                            (folder / "linux.wav").string()};
    if (!linuxPlugin.empty()) linuxRender.insert(linuxRender.end(), {"--plugin", linuxPlugin});
    linuxRender.insert(linuxRender.end(), settings.begin(), settings.end());
    const CommandResult linuxResult = runVelmorin(linuxRender);
    ASSERT_EQ(linuxResult.exitCode, 0) << linuxResult.err;

    // A prefix inside the Windows build, quiet, without Mono or Gecko prompts,
    // unless the caller set up its own.
    setenv("WINEPREFIX", VELMORIN_WINDOWS_BUILD "/wineprefix", 0);
    setenv("WINEDEBUG", "-all", 0);
    setenv("WINEDLLOVERRIDES", "mscoree,mshtml=;winemenubuilder.exe=d", 0);
    // Wine maps the Linux root to drive Z:.
    std::vector<std::string> windowsRender = {VELMORIN_WINDOWS_BUILD "/velmorin.exe",
                                              "render",
                                              "Z:" + input.string(),
                                              "Z:" + (folder / "windows.wav").string(),
                                              "--plugin",
                                              "Z:" VELMORIN_WINDOWS_BUILD "/" + windowsPlugin};
    windowsRender.insert(windowsRender.end(), settings.begin(), settings.end());
    const CommandResult windowsResult = runProgram("wine", windowsRender);
    ASSERT_EQ(windowsResult.exitCode, 0) << windowsResult.err;

    const AudioBuffer onLinux = readAudioFile(folder / "linux.wav");
    const AudioBuffer onWindows = readAudioFile(folder / "windows.wav");
    ASSERT_EQ(onWindows.frames(), onLinux.frames());
    float largest = 0.0f;
    for (std::size_t i = 0; i < onLinux.frames(); ++i) {
        largest = std::max({largest, std::fabs(onWindows.left[i] - onLinux.left[i]),
                            std::fabs(onWindows.right[i] - onLinux.right[i])});
    }
    std::printf("largest difference between the Windows and Linux renders: %g\n", largest);
    EXPECT_LE(largest, kBound);
}

TEST(WindowsRender, MatchesTheLinuxRender) {
    expectSameRenders("", "Velmorin.dll",
                      {"--program", "Mastering 1", "--block", "500", "--compensate-latency"});
}

class WindowsClapRender : public ::testing::TestWithParam<int> {};

TEST_P(WindowsClapRender, MatchesTheLinuxClapRender) {
    expectSameRenders(
        VELMORIN_CLAP_PATH, "Velmorin.clap",
        {"--program", std::to_string(GetParam()), "--block", "500", "--compensate-latency"});
}

INSTANTIATE_TEST_SUITE_P(EveryProgram, WindowsClapRender,
                         ::testing::Range(0, velmorin::kNumPrograms));

class WindowsVst3Render : public ::testing::TestWithParam<int> {};

TEST_P(WindowsVst3Render, MatchesTheLinuxVst3Render) {
    expectSameRenders(
        VELMORIN_VST3_BUNDLE, "Velmorin.vst3",
        {"--program", std::to_string(GetParam()), "--block", "500", "--compensate-latency"});
}

INSTANTIATE_TEST_SUITE_P(EveryProgram, WindowsVst3Render,
                         ::testing::Range(0, velmorin::kNumPrograms));

}  // namespace
