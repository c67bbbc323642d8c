// Typed values: the eleven faders whose read-out opens a value box, and how
// the box opens and commits.
#pragma once

#include <array>

#include "params/parameter_table.h"

namespace velmorin {

class ADEditor;

// In the order every pass over them runs. The parameter table says how each
// one's value reads as text, how typed text becomes a value and which band
// switch gates it.
inline constexpr std::array<ParameterIndex, 11> kEditableFaders{{
    kOutput,
    kThrLimiter,
    kThrH,
    kRatioH,
    kThrM,
    kRatioM,
    kThrL,
    kRatioL,
    kMixH,
    kMixM,
    kMixL,
}};

// Writes a control's value to its parameter in the parameter's stored form
// (integers truncated toward zero, ratios as they are), as a gesture of its
// own that the host hears of.
void writeControlValue(ADEditor& editor, ParameterIndex parameter, float value);

// Commits the open value box, if any: its number goes to the fader and the
// parameter, the box hides and the read-out shows again.
void commitValueBox(ADEditor& editor);
// Commits the open box once Enter has given it a second line.
void commitValueBoxOnSecondLine(ADEditor& editor);
// Opens the box of the first fader whose read-out is at the point, when no
// box is open and the fader's band is on.
void openValueBoxAt(ADEditor& editor, int x, int y);

}  // namespace velmorin
