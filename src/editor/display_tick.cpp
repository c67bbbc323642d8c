#include "editor/display_tick.h"

#include <cmath>

#include "editor/level_readout.h"
#include "editor/meters.h"
#include "editor/stored_values_view.h"
#include "editor/wave_columns.h"

namespace velmorin {
namespace {

// While the normalizer lowers the output gain, the Output fader shows the
// gain it arrived at. The host is not told: the value is the engine's own.
void followNormalizer(const EditorControls& controls, EngineState& engine) {
    if (engine.stored.normalize.get() == 0) return;
    const float gain = engine.outputGain.get();
    if (gain == engine.lastShownOutputGain.get()) return;
    const int32_t output = truncateToInt(24000.0f - 20000.0f * std::log10(gain));
    engine.stored.output.set(output);
    if (Fader* fader = controls.fader(kOutput)) fader->setValue(static_cast<float>(output));
    engine.lastShownOutputGain.set(gain);
}

void showLevelReadout(platform::Canvas& window, EditorView& view, EngineState& engine,
                      const SharedEditorResources& shared) {
    view.readoutSums.merge(engine.feed.output.take());
    drawLevelReadout(window, levelReadoutText(view.readoutSums, kTickReadoutFloorDb), shared);
    view.readoutSums = {};
}

float thresholdLevel(const EngineState& engine, int display) {
    if (display == kMasterLane) return engine.limiterThresholdGain.get();
    return std::pow(10.0f,
                    static_cast<float>(engine.stored.thresholdSteps[display].get()) / -40.0f);
}

DisplayColumns displayColumns(const EngineState& engine,
                              const std::array<LaneReading, kWaveDisplayCount>& readings,
                              bool bypass) {
    const DisplayZooms zooms = storedDisplayZooms(engine);
    DisplayColumns columns{};
    for (int d = 0; d < kWaveDisplayCount; ++d) {
        const bool band = d != kMasterLane;
        DisplayColumn& column = columns[d];
        column.column = bypass ? WaveColumn{} : readings[d].column;
        column.zoom = zooms[d];
        column.thresholdLevel = thresholdLevel(engine, d);
        // Any non-zero On value shows the band, as the engine runs it.
        column.shown = !bypass && (!band || engine.stored.bandOn[d].get() != 0.0f);
        column.thresholdShown = !band || engine.stored.bandBypass[d].get() == 0.0f;
    }
    return columns;
}

}  // namespace

void runDisplayTick(EditorView& view, EngineState& engine, platform::WindowServices& windows,
                    const SharedEditorResources& shared) {
    MeterState& meters = view.meters;
    const int32_t hold = holdTicks(view.prefs.peakHold, view.prefs.displaySpeed);
    followNormalizer(view.controls, engine);

    const auto window = windows.windowCanvas(view.window);
    if (meters.readoutPhase == 0) showLevelReadout(*window, view, engine, shared);
    meters.readoutPhase = static_cast<uint8_t>((meters.readoutPhase + 1) % kReadoutEveryTicks);

    const float outputGain = engine.outputGain.get();
    const bool bypass = engine.stored.bypass.get() != 0;
    // Taking the feed also clears it for the next tick.
    const LaneExtremes feed = engine.feed.waves.take();
    std::array<LaneReading, kWaveDisplayCount> readings;
    WaveSurfaces& surfaces = view.waveSurfaces;
    for (int d = 0; d < kWaveDisplayCount; ++d) {
        readings[d] = evaluateLane(feed.lane[d]);
        drawGainMeter(meters, d, readings[d].barTarget, bypass, hold,
                      *surfaces.displays[d].backdrop, shared);
    }
    const LaneReading& master = readings[kMasterLane];
    drawOutputMeter(
        meters,
        {master.processedLeft, master.processedRight, outputGain,
         engine.stored.normalize.get() != 0, engine.outputRelinked.exchange(0) != 0, bypass},
        hold, *surfaces.outputMeterBackdrop, shared);

    drawWaveColumns(surfaces, view.waveColumns, displayColumns(engine, readings, bypass),
                    view.wavePens, shared);
    view.waveColumns.advance();
    surfaces.outputMeterBackdrop->removeClip();
    copySurfacesToWindow(*window, surfaces);
}

}  // namespace velmorin
