// What the editor's periodic work costs on the software canvas at 1.0 and at
// 2.0 (the argument is the scale in quarters): one display tick (meters,
// read-out, a new column of the four wave displays, the copies to the window),
// one full paint of the window, and an open and close once the scale's
// bitmaps are decoded; and what the first open at a scale above 1.0 adds,
// decoding that scale's bitmaps.
#include <benchmark/benchmark.h>

#include <cmath>

#include "editor/ad_editor.h"
#include "editor/editor_timer.h"
#include "editor/soft_editor_scales.h"
#include "engine/effect.h"
#include "formats/in_process/in_process_controls.h"
#include "platform/soft/headless_windows.h"
#include "platform/soft/soft_graphics.h"
#include "platform/window_messages.h"
#include "resources/embedded_bitmaps.h"
#include "resources/encoded_bitmaps.h"

namespace {

using namespace velmorin;

class NoPreferences : public platform::PreferenceStore {
  public:
    void read(platform::PreferenceRecord&) override {}
    void write(const platform::PreferenceRecord&) override {}
};

// An editor's platform whose system draws at the scale given in quarters.
struct ScaledPlatform {
    explicit ScaledPlatform(int64_t quarters) : factor(static_cast<double>(quarters) / 4.0) {}

    double factor;
    platform::HeadlessWindows windows;
    SoftEditorScales scales{embeddedBitmapsAt, [this] { return factor; }};
    NoPreferences preferences;
    EditorPlatform platform{scales.graphicsAt({}), windows, preferences, &scales};
};

// An open editor on "Mastering 1" whose feed holds a loud, reduced column.
struct OpenEditor : ScaledPlatform {
    int hostWindow = 0;
    Effect effect;
    InProcessControls controls{effect};
    ADEditor editor{controls, platform};
    platform::WindowHandle window;

    explicit OpenEditor(int64_t quarters) : ScaledPlatform(quarters) {
        effect.setProgram(2);
        editor.open(&hostWindow);
        window = editor.view().window;
        windows.advance(timerPeriodMs(editor.view().prefs.displaySpeed));
    }
    ~OpenEditor() { editor.close(); }

    void feed(int64_t step) {
        LaneExtremes block;
        const float peak = 0.5f + 0.4f * std::sin(0.1f * static_cast<float>(step));
        for (WaveExtremes& lane : block.lane)
            lane = {peak, -peak, 0.8f * peak, -0.9f * peak, 0.5f, 0.6f, 0.7f, 0.8f};
        effect.engine().feed.waves.publish(block);
        effect.engine().feed.output.publish({100.0f, 80.0f, 5512});
    }
};

void displayTick(benchmark::State& state) {
    OpenEditor editor(state.range(0));
    int64_t step = 0;
    for (auto _ : state) {
        editor.feed(step++);
        editor.windows.send(editor.window, kMsgDisplayTick, 0, 0);
    }
}
BENCHMARK(displayTick)->Arg(4)->Arg(8)->Unit(benchmark::kMicrosecond);

void fullPaint(benchmark::State& state) {
    OpenEditor editor(state.range(0));
    for (auto _ : state) {
        editor.windows.invalidate(editor.window);
        editor.windows.updateWindow(editor.window);
    }
}
BENCHMARK(fullPaint)->Arg(4)->Arg(8)->Unit(benchmark::kMicrosecond);

void openAndClose(benchmark::State& state) {
    ScaledPlatform scaled(state.range(0));
    Effect effect;
    InProcessControls controls{effect};
    ADEditor editor{controls, scaled.platform};
    int hostWindow = 0;
    for (auto _ : state) {
        editor.open(&hostWindow);
        editor.close();
    }
}
BENCHMARK(openAndClose)->Arg(4)->Arg(8)->Unit(benchmark::kMillisecond);

// Every bitmap of the scale given in quarters (8: 2.0).
void decodeScale(benchmark::State& state) {
    for (auto _ : state) {
        for (const EncodedBitmap& e : encodedBitmaps())
            if (e.quarters == state.range(0)) benchmark::DoNotOptimize(decodeBitmap(e).data());
    }
}
BENCHMARK(decodeScale)->Arg(6)->Arg(8)->Arg(12)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
