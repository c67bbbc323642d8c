#include "formats/vst3/vst3_parameters.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "formats/vst3/vst3_identity.h"
#include "formats/vst3/vst3_object.h"
#include "params/parameter_defaults.h"
#include "params/parameter_table.h"
#include "params/parameter_text.h"
#include "params/parameter_unit.h"
#include "params/shown_value.h"

namespace velmorin::vst3 {

namespace {

const ParameterUnit& unitOf(int32_t index) {
    return parameterUnit(parameterKind(index));
}

double clampedNormalized(double normalized) {
    return std::isnan(normalized) ? 0.0 : std::clamp(normalized, 0.0, 1.0);
}

// The stored value the core keeps for a normalized one.
float storedOf(int32_t index, double normalized) {
    const float core = coreValueOf(index, normalized);
    return parameterKind(index) == ParameterKind::Ratio ? quantizedRatio(core) : core;
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

}  // namespace

bool isCoreParameter(Steinberg_Vst_ParamID id) {
    return id < static_cast<Steinberg_Vst_ParamID>(kNumParameters);
}

int32_t stepCount(int32_t index) {
    switch (unitOf(index).stepping) {
        case Stepping::Toggle:
            return 1;
        case Stepping::IntegerSteps:
            return shownRange(index).steps - 1;
        case Stepping::Continuous:
            break;
    }
    return 0;
}

void describeCoreParameter(int32_t index, Steinberg_Vst_ParameterInfo& info) {
    const ParameterInfo& parameter = parameterInfo(index);
    info = {};
    info.id = static_cast<Steinberg_Vst_ParamID>(index);
    copyText(info.title, 128, parameter.words);
    copyText(info.shortTitle, 128, trimmed(parameter.hostName));
    copyText(info.units, 128, unitOf(index).symbol);
    info.stepCount = stepCount(index);
    info.defaultNormalizedValue = normalizedOf(index, defaultStoredValue(index));
    info.unitId = static_cast<Steinberg_Vst_UnitID>(parameter.module) + 1;
    // What shows no value (parameter 18, the reserved pair) stays out of
    // hosts' lists and automation.
    info.flags = unitOf(index).stepping == Stepping::Continuous
                     ? Steinberg_Vst_ParameterInfo_ParameterFlags_kIsHidden
                     : Steinberg_Vst_ParameterInfo_ParameterFlags_kCanAutomate;
}

double normalizedOf(int32_t index, float stored) {
    return normalizedOfPlain(index, shownValueOf(index, stored));
}

float coreValueOf(int32_t index, double normalized) {
    return storedOfShownValue(index, static_cast<float>(plainOf(index, normalized)));
}

// Plain values are the shown ones; normalized values lie evenly over their
// range, on the steps where the parameter has steps.
double plainOf(int32_t index, double normalized) {
    const ShownRange range = shownRange(index);
    const int32_t steps = stepCount(index);
    double value = clampedNormalized(normalized);
    if (steps > 0) value = std::round(value * steps) / steps;
    return range.minimum + value * (static_cast<double>(range.maximum) - range.minimum);
}

double normalizedOfPlain(int32_t index, double plain) {
    const ShownRange range = shownRange(index);
    const double span = static_cast<double>(range.maximum) - range.minimum;
    double value = clampedNormalized((plain - range.minimum) / span);
    const int32_t steps = stepCount(index);
    if (steps > 0) value = std::round(value * steps) / steps;
    return value;
}

void reportValue(Steinberg_Vst_IParameterChanges* changes, Steinberg_Vst_ParamID id, int32_t frame,
                 double normalized) {
    if (changes == nullptr) return;
    Steinberg_int32 queueIndex = 0;
    Steinberg_Vst_IParamValueQueue* queue =
        call(changes, &Steinberg_Vst_IParameterChangesVtbl::addParameterData, &id, &queueIndex);
    Steinberg_int32 pointIndex = 0;
    if (queue != nullptr)
        call(queue, &Steinberg_Vst_IParamValueQueueVtbl::addPoint, frame, normalized, &pointIndex);
}

std::string textOf(int32_t index, double normalized) {
    return valueText(parameterKind(index), storedOf(index, normalized));
}

std::optional<double> normalizedOfText(int32_t index, const std::string& text) {
    const ParameterKind kind = parameterKind(index);
    // A switch's texts are words: each reads back as the value it shows.
    if (unitOf(index).stepping == Stepping::Toggle) {
        for (float stored : {0.0f, 1.0f}) {
            if (valueText(kind, stored) == text) return stored;
        }
    }
    const std::optional<float> stored = storedFromText(kind, text);
    if (!stored) return std::nullopt;
    return normalizedOf(index, *stored);
}

}  // namespace velmorin::vst3
