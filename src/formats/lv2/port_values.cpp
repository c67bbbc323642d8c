#include "formats/lv2/port_values.h"

#include <algorithm>
#include <cmath>

#include "formats/lv2/lv2_identity.h"
#include "params/parameter_defaults.h"
#include "params/parameter_table.h"
#include "params/parameter_unit.h"

namespace velmorin::lv2 {
namespace {

bool showsNumber(ParameterKind kind) {
    return parameterUnit(kind).numberFormat != nullptr;
}

struct Limits {
    float minimum, maximum;
};

Limits limits(int32_t index) {
    const ParameterInfo& info = parameterInfo(index);
    const float atMinimum = portValueOfStored(index, info.minimum);
    const float atMaximum = portValueOfStored(index, info.maximum);
    return {std::min(atMinimum, atMaximum), std::max(atMinimum, atMaximum)};
}

}  // namespace

float portValueOfStored(int32_t index, float stored) {
    const ParameterKind kind = parameterKind(index);
    if (parameterUnit(kind).stepping == Stepping::Toggle) return stored != 0.0f ? 1.0f : 0.0f;
    // Adding 0 turns the -0 of a stored 0 dB threshold into 0.
    return showsNumber(kind) ? shownNumber(kind, stored) + 0.0f : stored;
}

PortRange portRange(int32_t index) {
    const ParameterInfo& info = parameterInfo(index);
    const ParameterUnit& unit = parameterUnit(info.kind);
    const Limits ends = limits(index);
    const int32_t steps =
        unit.stepping == Stepping::IntegerSteps
            ? static_cast<int32_t>(std::lround((info.maximum - info.minimum) / unit.storedStep)) + 1
            : 0;
    return {ends.minimum, ends.maximum, portValueOfStored(index, defaultStoredValue(index)), steps};
}

float parameterValueOfPort(int32_t index, float portValue) {
    const ParameterKind kind = parameterKind(index);
    const ParameterUnit& unit = parameterUnit(kind);
    // Not portRange: its default comes from a program bank built on first use.
    const Limits ends = limits(index);
    const float value = std::clamp(finiteHostValue(portValue), ends.minimum, ends.maximum);
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

int32_t normalizeTargetOfPort(float value) {
    const float inRange = std::clamp(finiteHostValue(value), 0.0f, kNumNormalizeTargets - 1.0f);
    return static_cast<int32_t>(std::lround(inRange));
}

int32_t dcRemovalOfPort(float value) {
    return value != 0.0f && !std::isnan(value) ? 1 : 0;
}

}  // namespace velmorin::lv2
