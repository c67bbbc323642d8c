// What a parameter's stored value means: the unit it is shown in, how a stored
// value becomes the number shown and a shown number the stored value, and how
// a format should present it. Everything here follows from the parameter's
// kind, so parameters of one kind share their unit.
#pragma once

#include "params/parameter_table.h"

namespace velmorin {

// How a plug-in format presents a parameter's values.
enum class Stepping : std::uint8_t {
    Continuous,    // any float
    IntegerSteps,  // whole stored steps between minimum and maximum
    Toggle,        // off or on
};

struct ParameterUnit {
    const char* hostLabel;  // the VST 2.4 label, blanks included
    const char* symbol;     // the unit a format description names: "dB", or "" for none
    Stepping stepping;
    float storedStep;          // between neighbouring stored values; 0 when continuous
    float stepsPerUnit;        // stored steps per 1 of the number shown; 0 when nothing is shown
    const char* numberFormat;  // printf format of the number shown; null when it is text
    // Written after the number where it stands without a host's label
    // beside it (the editor's read-outs and value boxes): "4.0 : 1".
    const char* standaloneSuffix;
};

const ParameterUnit& parameterUnit(ParameterKind kind);

// The number a stored value shows, in single precision in the order the
// texts have always been computed in, so that no text moves by a rounding.
// Only for the kinds that show a number (numberFormat set).
float shownNumber(ParameterKind kind, float stored);
// The stored value a shown number stands for; a threshold's sign is implied,
// since every threshold lies at or below 0 dB.
float storedFromShown(ParameterKind kind, float shown);

}  // namespace velmorin
