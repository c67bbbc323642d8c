#include "formats/clap/clap_parameters.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "params/parameter_table.h"
#include "params/parameter_text.h"
#include "params/parameter_unit.h"
#include "params/shown_value.h"

namespace velmorin::clap_format {

namespace {

constexpr const char* kModuleNames[] = {"High", "Mid", "Low", "Master"};

Stepping steppingOf(int32_t index) {
    return parameterUnit(parameterKind(index)).stepping;
}

// Whole numbers only (switches, zooms): what CLAP calls stepped. Values in
// half, tenth or thousandth steps are continuous to the host and land on
// their steps in the plug-in.
bool wholeNumbers(int32_t index) {
    const ParameterUnit& unit = parameterUnit(parameterKind(index));
    return unit.stepping == Stepping::Toggle ||
           (unit.stepping == Stepping::IntegerSteps && unit.stepsPerUnit == unit.storedStep);
}

// The value the core would keep, as stored.
float storedOf(int32_t index, double clapValue) {
    const float core = coreValueOf(index, clapValue);
    return parameterKind(index) == ParameterKind::Ratio ? quantizedRatio(core) : core;
}

// The shown text with the unit a host's label would have given it.
std::string textWithUnit(int32_t index, float stored) {
    const ParameterKind kind = parameterKind(index);
    const ParameterUnit& unit = parameterUnit(kind);
    std::string text = standaloneText(kind, stored);
    text.erase(0, text.find_first_not_of(' '));
    if (*unit.symbol != '\0') text += std::string(" ") + unit.symbol;
    return text;
}

}  // namespace

bool isParameterId(clap_id id) {
    return id < static_cast<clap_id>(kNumParameters);
}

void describeParameter(int32_t index, clap_param_info_t& info) {
    const ParameterInfo& parameter = parameterInfo(index);
    const ShownRange range = shownRange(index);
    info = {};
    info.id = static_cast<clap_id>(index);
    // What shows no value (parameter 18, the reserved pair) stays out of a
    // host's lists and lanes.
    if (steppingOf(index) == Stepping::Continuous)
        info.flags = CLAP_PARAM_IS_HIDDEN;
    else
        info.flags = CLAP_PARAM_IS_AUTOMATABLE | (wholeNumbers(index) ? CLAP_PARAM_IS_STEPPED : 0);
    std::snprintf(info.name, sizeof info.name, "%s", parameter.words);
    std::snprintf(info.module, sizeof info.module, "%s",
                  kModuleNames[static_cast<int>(parameter.module)]);
    info.min_value = range.minimum;
    info.max_value = range.maximum;
    info.default_value = range.defaultValue;
}

double clapValueOf(int32_t index, float stored) {
    return shownValueOf(index, stored);
}

float coreValueOf(int32_t index, double clapValue) {
    const ShownRange range = shownRange(index);
    const double inRange = std::isnan(clapValue)
                               ? range.minimum
                               : std::clamp<double>(clapValue, range.minimum, range.maximum);
    // A whole-number value from a host that does not round it: the nearest.
    const double value = wholeNumbers(index) ? std::round(inRange) : inRange;
    return storedOfShownValue(index, static_cast<float>(value));
}

bool valueToText(int32_t index, double clapValue, char* text, uint32_t size) {
    if (text == nullptr || size == 0) return false;
    std::snprintf(text, size, "%s", textWithUnit(index, storedOf(index, clapValue)).c_str());
    return true;
}

std::optional<double> textToValue(int32_t index, const char* text) {
    if (text == nullptr) return std::nullopt;
    const ParameterKind kind = parameterKind(index);
    // A switch's texts are words: each reads back as the value it shows.
    if (steppingOf(index) == Stepping::Toggle) {
        for (float stored : {0.0f, 1.0f}) {
            if (velmorin::valueText(kind, stored) == text) return stored;
        }
    }
    const std::optional<float> stored = storedFromText(kind, text);
    if (!stored) return std::nullopt;
    const ShownRange range = shownRange(index);
    const float shown = std::clamp(shownValueOf(index, *stored), range.minimum, range.maximum);
    return clapValueOf(index, storedOf(index, shown));
}

}  // namespace velmorin::clap_format
