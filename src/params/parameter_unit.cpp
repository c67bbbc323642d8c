#include "params/parameter_unit.h"

#include <cmath>

namespace velmorin {
namespace {

constexpr const char* kBlank = "   ";
constexpr const char* kDb = "dB ";
constexpr float kRatioStepsPerUnit = 2.0f;  // the ratio moves in halves

// By ParameterKind.
constexpr ParameterUnit kUnits[] = {
    // FloatSwitch, ByteSwitch
    {kBlank, "", Stepping::Toggle, 1.0f, 0.0f, nullptr, ""},
    {kBlank, "", Stepping::Toggle, 1.0f, 0.0f, nullptr, ""},
    // Threshold: half-decibel steps below 0 dB
    {kDb, "dB", Stepping::IntegerSteps, 1.0f, 2.0f, "%2.1f", ""},
    // Ratio: k/38, shown as k/2 + 1
    {kBlank, "", Stepping::IntegerSteps, 1.0f / kRatioSteps, kRatioStepsPerUnit, "%2.1f", " : 1"},
    // Zoom
    {kBlank, "", Stepping::IntegerSteps, 1.0f, 1.0f, "%2.0f", ""},
    // Mix: tenths of a decibel below +12 dB
    {kDb, "dB", Stepping::IntegerSteps, 1.0f, 10.0f, "%2.1f", ""},
    // Output: thousandths of a decibel below +24 dB
    {kDb, "dB", Stepping::IntegerSteps, 1.0f, 1000.0f, "%2.2f", ""},
    // PlainFloat: parameter 18, kept but never shown
    {"---", "", Stepping::Continuous, 0.0f, 0.0f, nullptr, ""},
    // Reserved
    {" --- ", "", Stepping::Continuous, 0.0f, 0.0f, nullptr, ""},
};
static_assert(std::size(kUnits) == static_cast<std::size_t>(ParameterKind::Reserved) + 1);

// Shown ratio per stored unit: 19, exactly.
constexpr float kRatioPerStored = kRatioSteps / kRatioStepsPerUnit;

}  // namespace

const ParameterUnit& parameterUnit(ParameterKind kind) {
    return kUnits[static_cast<int>(kind)];
}

float shownNumber(ParameterKind kind, float stored) {
    const float steps = parameterUnit(kind).stepsPerUnit;
    switch (kind) {
        case ParameterKind::Threshold:
            // A stored 0 shows "-0.0": the product keeps the sign.
            return stored * (-1.0f / steps);
        case ParameterKind::Ratio:
            return stored * kRatioPerStored + 1.0f;
        case ParameterKind::Mix:
            return 12.0f - stored / steps;
        case ParameterKind::Output:
            return (24000.0f - stored) / steps;
        default:
            return stored;
    }
}

float storedFromShown(ParameterKind kind, float shown) {
    const float steps = parameterUnit(kind).stepsPerUnit;
    switch (kind) {
        case ParameterKind::Threshold:
            return steps * std::fabs(shown);
        case ParameterKind::Ratio:
            return (shown - 1.0f) / kRatioPerStored;
        case ParameterKind::Mix:
            return (12.0f - shown) * steps;
        case ParameterKind::Output:
            return 24000.0f - steps * shown;
        default:
            return shown;
    }
}

}  // namespace velmorin
