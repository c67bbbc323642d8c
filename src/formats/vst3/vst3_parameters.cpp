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

namespace velmorin::vst3 {

namespace {

const ParameterUnit& unitOf(int32_t index) {
    return parameterUnit(parameterKind(index));
}

// Whether the number shown falls as the stored value rises (thresholds, Mix,
// Output), so that the normalized value counts the steps from the other end.
bool shownFalls(int32_t index) {
    const ParameterInfo& info = parameterInfo(index);
    return unitOf(index).numberFormat != nullptr &&
           shownNumber(info.kind, info.maximum) < shownNumber(info.kind, info.minimum);
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
    const ParameterInfo& info = parameterInfo(index);
    const ParameterUnit& unit = unitOf(index);
    switch (unit.stepping) {
        case Stepping::Toggle:
            return 1;
        case Stepping::IntegerSteps:
            return static_cast<int32_t>(
                std::lround((info.maximum - info.minimum) / unit.storedStep));
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
    const ParameterUnit& unit = unitOf(index);
    if (unit.stepping == Stepping::Continuous) return clampedNormalized(stored);
    const int32_t count = stepCount(index);
    double steps = unit.stepping == Stepping::Toggle
                       ? (stored != 0.0f ? 1.0 : 0.0)
                       : std::round((stored - parameterInfo(index).minimum) / unit.storedStep);
    steps = std::isnan(steps) ? 0.0 : std::clamp(steps, 0.0, static_cast<double>(count));
    return (shownFalls(index) ? count - steps : steps) / count;
}

float coreValueOf(int32_t index, double normalized) {
    const double value = clampedNormalized(normalized);
    const ParameterUnit& unit = unitOf(index);
    if (unit.stepping == Stepping::Continuous) return static_cast<float>(value);
    const int32_t count = stepCount(index);
    double steps = std::round(value * count);
    if (shownFalls(index)) steps = count - steps;
    // Whole steps are never strictly between 0 and 1, so the core takes them
    // as stored units; a ratio's k/38 is the host value it quantizes to k.
    if (parameterKind(index) == ParameterKind::Ratio)
        return static_cast<float>(steps) / static_cast<float>(kRatioSteps);
    return parameterInfo(index).minimum + static_cast<float>(steps) * unit.storedStep;
}

double plainOf(int32_t index, double normalized) {
    const float stored = storedOf(index, normalized);
    const ParameterUnit& unit = unitOf(index);
    if (unit.numberFormat == nullptr)
        return unit.stepping == Stepping::Toggle ? (stored != 0.0f) : stored;
    return shownNumber(parameterKind(index), stored);
}

double normalizedOfPlain(int32_t index, double plain) {
    const ParameterUnit& unit = unitOf(index);
    if (unit.numberFormat == nullptr) return clampedNormalized(plain);
    return normalizedOf(index, storedFromShown(parameterKind(index), static_cast<float>(plain)));
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
