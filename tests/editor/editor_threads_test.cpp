// The open editor alongside the audio thread and host automation: display
// ticks, refreshes, paints and mouse input on the window's thread while blocks
// fill the display feed and the host moves parameters. Run under
// ThreadSanitizer, this proves the editor reads and clears what the other
// threads write without data races.
#include <atomic>
#include <cmath>
#include <thread>
#include <vector>

#include "editor/editor_timer.h"
#include "editor_fixture.h"
#include "params/program_bank.h"
#include "platform/window_messages.h"

namespace velmorin {
namespace {

using EditorThreadsTest = EditorFixture;

// A pointer position as the window messages carry it.
std::intptr_t pointAt(int x, int y) {
    return static_cast<std::intptr_t>((y << 16) | x);
}
constexpr std::uintptr_t kLeftButton = 0x0001;

TEST_F(EditorThreadsTest, TicksAndInputRunWhileAudioAndAutomationDo) {
    EditedEffect& effect = makeEffect();
    ASSERT_TRUE(editorOf(effect).open(&hostWindow));
    const platform::WindowHandle window = windowOf(effect);
    std::atomic<bool> editorDone{false};
    constexpr int kTicks = 80;

    std::thread audio([&] {
        std::vector<float> left(256), right(256), out(256);
        float* inputs[2] = {left.data(), right.data()};
        float* outputs[2] = {out.data(), out.data()};
        for (int block = 0; !editorDone; ++block) {
            for (int i = 0; i < 256; ++i) {
                const float t = static_cast<float>(block * 256 + i);
                left[i] = 0.8f * std::sin(0.02f * t) * ((block / 40) % 2 ? 1.0f : 0.1f);
                right[i] = 0.5f * std::sin(0.05f * t);
            }
            effect.processReplacing(inputs, outputs, 256);
        }
    });
    std::thread automation([&] {
        for (int i = 0; !editorDone; ++i) {
            effect.setParameter(kThrH, static_cast<float>(i % 100) / 100.0f);
            effect.setParameter(kZoomMaster, static_cast<float>(1 + i % 20));
            effect.setParameter(kNormalize, static_cast<float>(i / 97 % 2));
            effect.setParameter(kThrLimiter, static_cast<float>(i % 48));
            effect.setParameter(kBypass, static_cast<float>(i / 331 % 2));
            if (i % 500 == 0) effect.setProgram(i / 500 % kNumPrograms);
        }
    });
    std::thread editor([&] {
        // The ratio fader of the High band: grabbed, dragged and let go.
        const ControlPlace& ratio = kControlPlaces[6];
        for (int t = 0; t < kTicks; ++t) {
            windows.advance(timerPeriodMs(editorOf(effect).view().prefs.displaySpeed));
            const int y = ratio.y + t % ratio.travel;
            windows.send(window, platform::kMsgLeftButtonDown, kLeftButton,
                         pointAt(ratio.x + 8, y));
            windows.send(window, platform::kMsgMouseMove, kLeftButton,
                         pointAt(ratio.x + 8, ratio.y + (t * 7) % ratio.travel));
            windows.send(window, platform::kMsgLeftButtonUp, 0, pointAt(ratio.x + 8, y));
            if (t % 10 == 0) {
                windows.invalidate(window);
                windows.updateWindow(window);
            }
        }
        editorDone = true;
    });
    editor.join();
    audio.join();
    automation.join();
    // The displays moved on with the ticks.
    EXPECT_EQ(editorOf(effect).view().waveColumns.columnPos(), kTicks);
    editorOf(effect).close();
}

}  // namespace
}  // namespace velmorin
