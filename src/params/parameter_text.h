// A parameter's value as text and typed text as a value, in the parameter's
// unit: the texts hosts, the editor and the artwork show.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "params/parameter_table.h"

namespace velmorin {

// The text a host shows beside the label: "-18.0", "3.0", " 2", "On", "---".
std::string valueText(ParameterKind kind, float stored);
// The text where it stands alone, the unit in words where the label would
// be missed: "4.0 : 1" for a ratio, otherwise as valueText.
std::string standaloneText(ParameterKind kind, float stored);

// The stored value typed text stands for, before any clamping: the number
// at the start of the text as the C library reads it (no number reads as 0),
// in single precision; none when it is not finite, so "nan", "inf" and
// "1e999" stand for no value.
std::optional<float> storedFromText(ParameterKind kind, std::string_view text);

// The label of a scale mark at a shown number: decibels carry their sign
// ("+12", "0", "-6"), other numbers stand plain ("5").
std::string scaleMarkText(ParameterKind kind, float shown);

}  // namespace velmorin
