#include "editor/stored_values_view.h"

namespace velmorin {
namespace {

// Truncation toward zero: a float switch of 0.5 is on for the engine but
// leaves its lamp dark.
int lampState(float storedSwitch) {
    return truncateToInt(storedSwitch);
}

void setLamp(const EditorControls& controls, ParameterIndex parameter, int state) {
    if (LampButton* lamp = controls.lamp(parameter)) lamp->setState(state);
}

void setFader(const EditorControls& controls, ParameterIndex parameter, float value) {
    if (Fader* fader = controls.fader(parameter)) fader->setValue(value);
}

void setZoom(const EditorControls& controls, ParameterIndex parameter, int32_t zoom) {
    if (SmallFader* fader = controls.zoomFader(parameter))
        fader->setValue(static_cast<float>(zoom));
}

void setDimmed(const EditorControls& controls, ParameterIndex parameter, bool dimmed) {
    if (Fader* fader = controls.fader(parameter)) fader->setDimmed(dimmed);
}

}  // namespace

void showStoredValues(const EditorControls& controls, const EngineState& engine) {
    const auto& stored = engine.stored;

    setLamp(controls, kLookAhead, lampState(stored.lookAhead.get()));
    setLamp(controls, kNormalize, stored.normalize.get());
    setLamp(controls, kDither, stored.dither.get());
    setLamp(controls, kBypass, stored.bypass.get());
    for (int band = 0; band < kNumBands; ++band)
        setLamp(controls, ParameterIndex(kHighOn + band), lampState(stored.bandOn[band].get()));
    for (int band = 0; band < kNumBands; ++band)
        setLamp(controls, ParameterIndex(kHighBypass + band),
                lampState(stored.bandBypass[band].get()));
    for (int band = 0; band < kNumBands; ++band)
        setLamp(controls, ParameterIndex(kHighAtk + band),
                lampState(stored.bandAttack[band].get()));

    setZoom(controls, kZoomMaster, stored.zoom[0].get());
    setFader(controls, kOutput, static_cast<float>(stored.output.get()));
    setFader(controls, kThrLimiter, stored.limiterSteps.get());

    for (int band = 0; band < kNumBands; ++band) {
        const bool compressorOut =
            stored.bandOn[band].get() == 0.0f || stored.bandBypass[band].get() != 0.0f;
        setDimmed(controls, ParameterIndex(kThrH + band), compressorOut);
        setDimmed(controls, ParameterIndex(kRatioH + band), compressorOut);
    }
    // A bypassed band is still mixed in: only switching it off greys its mix.
    for (int band = 0; band < kNumBands; ++band)
        setDimmed(controls, ParameterIndex(kMixH + band), stored.bandOn[band].get() == 0.0f);

    for (int band = 0; band < kNumBands; ++band)
        setFader(controls, ParameterIndex(kMixH + band),
                 static_cast<float>(stored.mix[band].get()));
    for (int band = 0; band < kNumBands; ++band)
        setFader(controls, ParameterIndex(kThrH + band), stored.thresholdSteps[band].get());
    for (int band = 0; band < kNumBands; ++band)
        setFader(controls, ParameterIndex(kRatioH + band), stored.ratio[band].get());

    for (int band = 0; band < kNumBands; ++band)
        setZoom(controls, ParameterIndex(kZoomH + band), stored.zoom[1 + band].get());
}

DisplayZooms storedDisplayZooms(const EngineState& engine) {
    const auto& zoom = engine.stored.zoom;
    return {zoom[1].get(), zoom[2].get(), zoom[3].get(), zoom[0].get()};
}

}  // namespace velmorin
