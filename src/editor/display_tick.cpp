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
void followNormalizer(const EditorControls& controls, EffectControls& effect) {
    const std::optional<int32_t> output = effect.followNormalizer();
    if (!output) return;
    if (Fader* fader = controls.fader(kOutput)) fader->setValue(static_cast<float>(*output));
}

void showLevelReadout(platform::Canvas& window, EditorView& view, EffectControls& effect,
                      const SharedDrawing& shared) {
    view.readoutSums.merge(effect.takeOutputSums());
    drawLevelReadout(window, levelReadoutText(view.readoutSums, kTickReadoutFloorDb), shared);
    view.readoutSums = {};
}

float thresholdLevel(const EffectControls& effect, int display) {
    if (display == kMasterLane) return effect.limiterThresholdGain();
    return std::pow(10.0f, effect.parameter(ParameterIndex(kThrH + display)) / -40.0f);
}

DisplayColumns displayColumns(const EffectControls& effect,
                              const std::array<LaneReading, kWaveDisplayCount>& readings,
                              bool bypass) {
    const DisplayZooms zooms = storedDisplayZooms(effect);
    DisplayColumns columns{};
    for (int d = 0; d < kWaveDisplayCount; ++d) {
        const bool band = d != kMasterLane;
        DisplayColumn& column = columns[d];
        column.column = bypass ? WaveColumn{} : readings[d].column;
        column.zoom = zooms[d];
        column.thresholdLevel = thresholdLevel(effect, d);
        // Any non-zero On value shows the band, as the engine runs it.
        column.shown = !bypass && (!band || effect.parameter(ParameterIndex(kHighOn + d)) != 0.0f);
        column.thresholdShown = !band || effect.parameter(ParameterIndex(kHighBypass + d)) == 0.0f;
    }
    return columns;
}

}  // namespace

void runDisplayTick(EditorView& view, EffectControls& effect, platform::WindowServices& windows,
                    const SharedDrawing& shared) {
    MeterState& meters = view.meters;
    const int32_t hold = holdTicks(view.prefs.peakHold, view.prefs.displaySpeed);
    followNormalizer(view.controls, effect);

    const auto window = windows.windowCanvas(view.window);
    if (meters.readoutPhase == 0) showLevelReadout(*window, view, effect, shared);
    meters.readoutPhase = static_cast<uint8_t>((meters.readoutPhase + 1) % kReadoutEveryTicks);

    const float outputGain = effect.outputGain();
    const bool bypass = effect.parameter(kBypass) != 0.0f;
    // Taking the feed also clears it for the next tick.
    const LaneExtremes feed = effect.takeWaveExtremes();
    std::array<LaneReading, kWaveDisplayCount> readings;
    WaveSurfaces& surfaces = view.waveSurfaces;
    for (int d = 0; d < kWaveDisplayCount; ++d) {
        readings[d] = evaluateLane(feed.lane[d]);
        drawGainMeter(meters, d, readings[d].barTarget, bypass, hold,
                      *surfaces.displays[d].backdrop, shared);
    }
    const LaneReading& master = readings[kMasterLane];
    drawOutputMeter(meters,
                    {master.processedLeft, master.processedRight, outputGain,
                     effect.parameter(kNormalize) != 0.0f, effect.takeOutputRelinked(), bypass},
                    hold, *surfaces.outputMeterBackdrop, shared);

    drawWaveColumns(surfaces, view.waveColumns, displayColumns(effect, readings, bypass),
                    view.wavePens, shared);
    view.waveColumns.advance();
    surfaces.outputMeterBackdrop->removeClip();
    copySurfacesToWindow(*window, surfaces);
}

}  // namespace velmorin
