#include "formats/lv2/lv2_ui_controls.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "engine/parameter_mapping.h"
#include "formats/lv2/lv2_identity.h"
#include "formats/lv2/port_values.h"
#include "params/parameter_defaults.h"
#include "params/shown_value.h"

namespace velmorin::lv2 {
namespace {

bool isParameter(int32_t index) {
    return index >= 0 && index < kNumParameters;
}

}  // namespace

Lv2UiControls::Lv2UiControls(LV2_URID_Map* map, const UiHost& host)
    : reader_(map), eventTransfer_(map->map(map->handle, LV2_ATOM__eventTransfer)), host_(host) {
    // Until the host sends the ports' values (hosts do at once).
    for (int32_t index = 0; index < kNumParameters; ++index) {
        stored_[index] = defaultStoredValue(index);
    }
}

void Lv2UiControls::portEvent(uint32_t port, uint32_t bufferSize, uint32_t format,
                              const void* buffer) {
    if (!buffer) return;
    if (format == 0 && bufferSize == sizeof(float)) {
        float value;
        std::memcpy(&value, buffer, sizeof value);
        controlEvent(port, value);
    } else if (format == eventTransfer_ && format != 0 && port == kDisplayFeedPort) {
        const auto values = reader_.read(static_cast<const LV2_Atom*>(buffer), bufferSize);
        if (values) feedEvent(*values);
    }
}

void Lv2UiControls::controlEvent(uint32_t port, float value) {
    if (port < static_cast<uint32_t>(kNumParameters)) {
        const auto index = static_cast<ParameterIndex>(port);
        heard_[index] = true;
        storeParameter(index, storedOfShownValue(index, value));
    } else if (port == kNormalizeTargetPort) {
        normalizeTarget_ = normalizeTargetOfPort(value);
    } else if (port == kDcRemovalPort) {
        dcRemoval_ = dcRemovalOfPort(value);
    }
}

void Lv2UiControls::feedEvent(const DisplayFeedValues& values) {
    waves_.merge(values.waves);
    sums_.merge(values.sums);
    outputGain_ = values.outputGain;
    limiterThresholdGain_ = values.limiterThresholdGain;
    outputRelinked_ = outputRelinked_ || values.outputRelinked;
}

void Lv2UiControls::storeParameter(ParameterIndex index, float storedValue) {
    stored_[index] = storedValue;
    // As the engine does: Normalize switched off ends the following.
    if (index == kNormalize && storedValue == 0.0f) lastShownOutputGain_ = 0.0f;
    parametersChanged_ = true;
}

float Lv2UiControls::parameter(ParameterIndex index) const {
    return isParameter(index) ? stored_[index] : 0.0f;
}

void Lv2UiControls::changeParameter(ParameterIndex index, float storedValue) {
    if (!isParameter(index)) return;
    // What the plug-in will hold once it reads the port, so that the port
    // is never written outside its range.
    const float held = storedOfShownValue(index, shownValueOf(index, storedValue));
    storeParameter(index, held);
    writePort(static_cast<uint32_t>(index), shownValueOf(index, held));
}

void Lv2UiControls::adjustParameter(ParameterIndex index, float storedValue) {
    if (isParameter(index) && heard_[index]) changeParameter(index, storedValue);
}

bool Lv2UiControls::takeParametersChanged() {
    return std::exchange(parametersChanged_, false);
}

void Lv2UiControls::programName(char (&name)[kProgramNameSize]) const {
    std::fill(std::begin(name), std::end(name), '\0');
}

void Lv2UiControls::setNormalizeTarget(int32_t target) {
    normalizeTarget_ = std::clamp<int32_t>(target, 0, kNumNormalizeTargets - 1);
    writePort(kNormalizeTargetPort, static_cast<float>(normalizeTarget_));
}

void Lv2UiControls::setDcRemoval(int32_t removal) {
    dcRemoval_ = removal != 0 ? 1 : 0;
    writePort(kDcRemovalPort, static_cast<float>(dcRemoval_));
}

LaneExtremes Lv2UiControls::takeWaveExtremes() {
    return std::exchange(waves_, LaneExtremes{});
}

OutputSums Lv2UiControls::takeOutputSums() {
    return std::exchange(sums_, OutputSums{});
}

bool Lv2UiControls::takeOutputRelinked() {
    return std::exchange(outputRelinked_, false);
}

std::optional<int32_t> Lv2UiControls::followNormalizer() {
    // The engine's rule over the gain the feed reports.
    if (stored_[kNormalize] == 0.0f || outputGain_ == lastShownOutputGain_) return std::nullopt;
    const int32_t output = outputValueFor(outputGain_);
    lastShownOutputGain_ = outputGain_;
    const auto value = static_cast<float>(output);
    if (value == stored_[kOutput]) return output;
    stored_[kOutput] = value;
    // The plug-in cannot write its own input port and hosts show no other
    // channel as that port's value (a control output is a separate meter, a
    // patch:Set names no port), so the UI writes it as a user's change is
    // written, outside a gesture: every host takes a UI's port writes. The
    // plug-in knows the value as its own and keeps its gain.
    writePort(kOutput, shownValueOf(kOutput, value));
    return output;
}

void Lv2UiControls::writePort(uint32_t port, float value) const {
    if (host_.write) host_.write(host_.controller, port, sizeof value, 0, &value);
}

void Lv2UiControls::touch(ParameterIndex index, bool grabbed) const {
    if (host_.touch && host_.touch->touch && isParameter(index)) {
        host_.touch->touch(host_.touch->handle, static_cast<uint32_t>(index), grabbed);
    }
}

}  // namespace velmorin::lv2
