#include "snapshot/editor_snapshot.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "editor/ad_editor.h"
#include "editor/display_prefs.h"
#include "editor/editor_timer.h"
#include "engine/effect.h"
#include "formats/in_process/in_process_controls.h"
#include "platform/scaled_graphics.h"
#include "platform/soft/headless_windows.h"
#include "platform/soft/soft_graphics.h"
#include "resources/embedded_bitmaps.h"

namespace velmorin::snapshot {
namespace {

constexpr int kBlockFrames = 512;

class FixedPreferences : public platform::PreferenceStore {
  public:
    explicit FixedPreferences(const platform::PreferenceRecord& record) : record_(record) {}
    void read(platform::PreferenceRecord& record) override { record = record_; }
    void write(const platform::PreferenceRecord&) override {}

  private:
    platform::PreferenceRecord record_;
};

// Simulated time follows the frames played, so the editor sees as many ticks
// as it would in real time, each after the blocks that fell before it.
void playThrough(Effect& effect, platform::HeadlessWindows& windows, const host::AudioBuffer& input,
                 std::size_t frames) {
    const auto sampleRate = static_cast<float>(input.sampleRate);
    std::vector<float> left(kBlockFrames), right(kBlockFrames);
    std::vector<float> outLeft(kBlockFrames), outRight(kBlockFrames);
    std::uint64_t shownMs = 0;
    for (std::size_t done = 0; done < frames;) {
        const std::size_t count = std::min<std::size_t>(kBlockFrames, frames - done);
        std::copy_n(input.left.begin() + done, count, left.begin());
        std::copy_n(input.right.begin() + done, count, right.begin());
        float* inputs[2] = {left.data(), right.data()};
        float* outputs[2] = {outLeft.data(), outRight.data()};
        effect.process(sampleRate, inputs, outputs, static_cast<int32_t>(count));
        done += count;
        const std::uint64_t nowMs = done * 1000 / static_cast<std::uint64_t>(input.sampleRate);
        windows.advance(static_cast<std::uint32_t>(nowMs - shownMs));
        shownMs = nowMs;
    }
}

}  // namespace

platform::PreferenceRecord defaultPreferences() {
    Effect effect;
    return preferenceRecordOf(DisplayPrefs{}, InProcessControls(effect));
}

platform::PixelBuffer snapshotEditor(const Scene& scene) {
    platform::HeadlessWindows windows(scene.scale);
    platform::SoftGraphics device(embeddedBitmapsAt(scene.scale));
    platform::ScaledGraphics scaled(device, scene.scale);
    // At 1.0 the editor draws straight on the device, as it always has.
    platform::Graphics& graphics = scene.scale.isIdentity()
                                       ? static_cast<platform::Graphics&>(device)
                                       : static_cast<platform::Graphics&>(scaled);
    FixedPreferences preferences(scene.preferences);
    EditorPlatform platform{graphics, windows, preferences};
    int hostWindow = 0;

    // The effect goes before the services its editor uses.
    Effect effect;
    InProcessControls controls(effect);
    if (scene.prepare) scene.prepare(effect);
    ADEditor editorObject(controls, platform);
    ADEditor* editor = &editorObject;
    if (!editor->open(&hostWindow)) throw std::runtime_error("the editor could not be opened");
    const platform::WindowHandle window = editor->view().window;
    if (scene.input && scene.inputFrames > 0)
        playThrough(effect, windows, *scene.input,
                    std::min(scene.inputFrames, scene.input->frames()));
    else
        windows.advance(timerPeriodMs(editor->view().prefs.displaySpeed));
    windows.invalidate(window);
    windows.updateWindow(window);
    platform::PixelBuffer pixels = *windows.clientPixels(window);
    editor->close();
    return pixels;
}

}  // namespace velmorin::snapshot
