#include "formats/clap/clap_parameters.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "params/parameter_defaults.h"
#include "params/parameter_table.h"
#include "params/parameter_text.h"
#include "params/parameter_unit.h"

namespace velmorin::clap_format {

namespace {

constexpr const char* kModuleNames[] = {"High", "Mid", "Low", "Master"};

const ParameterUnit& unitOf(int32_t index) {
    return parameterUnit(parameterKind(index));
}

double clapMinimum(int32_t index) {
    return clapValueOf(index, parameterInfo(index).minimum);
}

double clapMaximum(int32_t index) {
    return clapValueOf(index, parameterInfo(index).maximum);
}

// The value the core keeps for a CLAP value, in the form valueText reads.
float storedOf(int32_t index, double clapValue) {
    const float core = coreValueOf(index, clapValue);
    return parameterKind(index) == ParameterKind::Ratio ? quantizedRatio(core) : core;
}

}  // namespace

bool isParameterId(clap_id id) {
    return id < static_cast<clap_id>(kNumParameters);
}

void describeParameter(int32_t index, clap_param_info_t& info) {
    const ParameterInfo& parameter = parameterInfo(index);
    const Stepping stepping = unitOf(index).stepping;
    info = {};
    info.id = static_cast<clap_id>(index);
    info.flags = CLAP_PARAM_IS_AUTOMATABLE;
    // Values a stepped control can take are whole numbers; what shows no
    // value (parameter 18, the reserved pair) stays out of a host's lists.
    info.flags |= stepping == Stepping::Continuous ? CLAP_PARAM_IS_HIDDEN : CLAP_PARAM_IS_STEPPED;
    std::snprintf(info.name, sizeof info.name, "%s", parameter.words);
    std::snprintf(info.module, sizeof info.module, "%s",
                  kModuleNames[static_cast<int>(parameter.module)]);
    info.min_value = clapMinimum(index);
    info.max_value = clapMaximum(index);
    info.default_value = clapValueOf(index, defaultStoredValue(index));
}

double clapValueOf(int32_t index, float stored) {
    const ParameterUnit& unit = unitOf(index);
    switch (unit.stepping) {
        case Stepping::Toggle:
            return stored != 0.0f ? 1.0 : 0.0;
        case Stepping::IntegerSteps:
            return std::round(static_cast<double>(stored) / unit.storedStep);
        case Stepping::Continuous:
            break;
    }
    return stored;
}

float coreValueOf(int32_t index, double clapValue) {
    const ParameterUnit& unit = unitOf(index);
    const double inRange = std::isnan(clapValue)
                               ? clapMinimum(index)
                               : std::clamp(clapValue, clapMinimum(index), clapMaximum(index));
    if (unit.stepping == Stepping::Continuous) return static_cast<float>(inRange);
    // Whole steps are never strictly between 0 and 1, so the core takes them
    // as stored units; a ratio's k/38 is the host value it quantizes to k.
    const float steps = static_cast<float>(std::round(inRange));
    return parameterKind(index) == ParameterKind::Ratio ? steps / kRatioSteps
                                                        : steps * unit.storedStep;
}

bool valueToText(int32_t index, double clapValue, char* text, uint32_t size) {
    if (text == nullptr || size == 0) return false;
    const std::string shown = velmorin::valueText(parameterKind(index), storedOf(index, clapValue));
    std::snprintf(text, size, "%s", shown.c_str());
    return true;
}

std::optional<double> textToValue(int32_t index, const char* text) {
    if (text == nullptr) return std::nullopt;
    const ParameterKind kind = parameterKind(index);
    // A switch's texts are words: each reads back as the value it shows.
    if (unitOf(index).stepping == Stepping::Toggle) {
        for (float stored : {0.0f, 1.0f}) {
            if (velmorin::valueText(kind, stored) == text) return stored;
        }
    }
    const std::optional<float> stored = storedFromText(kind, text);
    if (!stored) return std::nullopt;
    return std::clamp(clapValueOf(index, *stored), clapMinimum(index), clapMaximum(index));
}

}  // namespace velmorin::clap_format
