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

void setZoom(const EditorControls& controls, ParameterIndex parameter, float zoom) {
    if (SmallFader* fader = controls.zoomFader(parameter)) fader->setValue(zoom);
}

void setDimmed(const EditorControls& controls, ParameterIndex parameter, bool dimmed) {
    if (Fader* fader = controls.fader(parameter)) fader->setDimmed(dimmed);
}

}  // namespace

void showStoredValues(const EditorControls& controls, const EffectControls& effect) {
    const auto stored = [&effect](ParameterIndex parameter) { return effect.parameter(parameter); };
    const auto band = [](ParameterIndex first, int band) { return ParameterIndex(first + band); };

    setLamp(controls, kLookAhead, lampState(stored(kLookAhead)));
    for (ParameterIndex byteSwitch : {kNormalize, kDither, kBypass})
        setLamp(controls, byteSwitch, static_cast<int>(stored(byteSwitch)));
    for (ParameterIndex first : {kHighOn, kHighBypass, kHighAtk})
        for (int b = 0; b < kNumBands; ++b)
            setLamp(controls, band(first, b), lampState(stored(band(first, b))));

    setZoom(controls, kZoomMaster, stored(kZoomMaster));
    setFader(controls, kOutput, stored(kOutput));
    setFader(controls, kThrLimiter, stored(kThrLimiter));

    for (int b = 0; b < kNumBands; ++b) {
        const bool compressorOut =
            stored(band(kHighOn, b)) == 0.0f || stored(band(kHighBypass, b)) != 0.0f;
        setDimmed(controls, band(kThrH, b), compressorOut);
        setDimmed(controls, band(kRatioH, b), compressorOut);
    }
    // A bypassed band is still mixed in: only switching it off greys its mix.
    for (int b = 0; b < kNumBands; ++b)
        setDimmed(controls, band(kMixH, b), stored(band(kHighOn, b)) == 0.0f);

    for (ParameterIndex first : {kMixH, kThrH, kRatioH})
        for (int b = 0; b < kNumBands; ++b)
            setFader(controls, band(first, b), stored(band(first, b)));

    for (int b = 0; b < kNumBands; ++b) setZoom(controls, band(kZoomH, b), stored(band(kZoomH, b)));
}

DisplayZooms storedDisplayZooms(const EffectControls& effect) {
    const auto zoom = [&effect](ParameterIndex parameter) {
        return static_cast<int32_t>(effect.parameter(parameter));
    };
    return {zoom(kZoomH), zoom(kZoomM), zoom(kZoomL), zoom(kZoomMaster)};
}

}  // namespace velmorin
