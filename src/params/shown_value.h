// A parameter's value as the number the editor shows (decibels, the ratio,
// the zoom; 0 or 1 for a switch), rising with what is shown. The formats whose
// hosts show, automate and store values themselves (LV2 ports, CLAP and VST3
// parameters) carry these, so that a host's generic controls, units and
// automation lanes read as the editor does; their descriptions and their
// plug-ins both convert here, so a range and the value read back cannot
// disagree.
#pragma once

#include <cstdint>

namespace velmorin {

struct ShownRange {
    float minimum;
    float maximum;
    float defaultValue;
    int32_t steps;  // values from minimum to maximum, both included; 0 when continuous
};

ShownRange shownRange(int32_t index);

// The shown value of a stored one.
float shownValueOf(int32_t index, float stored);

// What Effect::setParameter is given for a shown value: a whole number of
// stored steps in stored units (never a value the core would take as a
// normalized host value), a ratio as k/38, a switch 0 or 1. Any float,
// NaN and the infinities too, lands inside the range.
float storedOfShownValue(int32_t index, float shown);

}  // namespace velmorin
