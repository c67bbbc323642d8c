#include "params/shown_value.h"

#include <algorithm>
#include <cmath>

#include "params/parameter_defaults.h"
#include "params/parameter_table.h"
#include "params/parameter_unit.h"

namespace velmorin {
namespace {

bool showsNumber(ParameterKind kind) {
    return parameterUnit(kind).numberFormat != nullptr;
}

struct Limits {
    float minimum, maximum;
};

Limits limits(int32_t index) {
    const ParameterInfo& info = parameterInfo(index);
    const float atMinimum = shownValueOf(index, info.minimum);
    const float atMaximum = shownValueOf(index, info.maximum);
    return {std::min(atMinimum, atMaximum), std::max(atMinimum, atMaximum)};
}

}  // namespace

float shownValueOf(int32_t index, float stored) {
    const ParameterKind kind = parameterKind(index);
    if (parameterUnit(kind).stepping == Stepping::Toggle) return stored != 0.0f ? 1.0f : 0.0f;
    // Adding 0 turns the -0 of a stored 0 dB threshold into 0.
    return showsNumber(kind) ? shownNumber(kind, stored) + 0.0f : stored;
}

ShownRange shownRange(int32_t index) {
    const ParameterInfo& info = parameterInfo(index);
    const ParameterUnit& unit = parameterUnit(info.kind);
    const Limits ends = limits(index);
    const int32_t steps =
        unit.stepping == Stepping::IntegerSteps
            ? static_cast<int32_t>(std::lround((info.maximum - info.minimum) / unit.storedStep)) + 1
            : 0;
    return {ends.minimum, ends.maximum, shownValueOf(index, defaultStoredValue(index)), steps};
}

float storedOfShownValue(int32_t index, float shown) {
    const ParameterKind kind = parameterKind(index);
    const ParameterUnit& unit = parameterUnit(kind);
    // Not shownRange: its default comes from a program bank built on first use.
    const Limits ends = limits(index);
    const float value = std::clamp(finiteHostValue(shown), ends.minimum, ends.maximum);
    switch (unit.stepping) {
        case Stepping::Toggle:
            return value != 0.0f ? 1.0f : 0.0f;
        case Stepping::IntegerSteps: {
            const float stored = showsNumber(kind) ? storedFromShown(kind, value) : value;
            return static_cast<float>(std::lround(stored / unit.storedStep)) * unit.storedStep;
        }
        case Stepping::Continuous:
            break;
    }
    return value;
}

}  // namespace velmorin
