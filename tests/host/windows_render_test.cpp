// velmorin.exe rendering through Velmorin.dll under Wine gives the samples of
// the Linux render. The two C libraries' single-precision functions may differ
// in the last bit, so the difference is measured, printed and bounded.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "audio_file.h"
#include "demo_mix.h"
#include "run_velmorin.h"
#include "temp_folder.h"

using namespace velmorin::host;

namespace {

// About -100 dBFS: far below audibility, far above a last-bit difference
// carried through the filters.
constexpr float kBound = 1e-5f;

TEST(WindowsRender, MatchesTheLinuxRender) {
    TempFolder folder;
    const auto input = folder / "in.wav";
    AudioBuffer mix = synthesizeDemoMix();
    mix.resize(8 * mix.sampleRate);  // groove and breakdown: every part plays
    writeAudioFile(input, mix, SampleFormat::float32);
    const std::vector<std::string> settings = {"--program", "Mastering 1", "--block", "500",
                                               "--compensate-latency"};

    std::vector<std::string> linuxRender = {"render", input.string(),
                                            (folder / "linux.wav").string()};
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
                                              "Z:" VELMORIN_WINDOWS_BUILD "/Velmorin.dll"};
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

}  // namespace
