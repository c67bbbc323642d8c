// Typed values: the eleven faders whose read-out opens a value box, the text
// the box starts with, and how the typed number becomes the fader's value.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "params/parameter_table.h"

namespace velmorin {

class ADEditor;

// How a fader's value reads as the number a user types.
enum class TypedForm { Output, Threshold, Ratio, Mix };

struct EditableFader {
    ParameterIndex parameter;
    TypedForm form;
    std::optional<ParameterIndex> gate;  // the band switch that must be exactly on
};

// In the order every pass over them runs.
inline constexpr std::array<EditableFader, 11> kEditableFaders{{
    {kOutput, TypedForm::Output, std::nullopt},
    {kThrLimiter, TypedForm::Threshold, std::nullopt},
    {kThrH, TypedForm::Threshold, kHighOn},
    {kRatioH, TypedForm::Ratio, kHighOn},
    {kThrM, TypedForm::Threshold, kMidOn},
    {kRatioM, TypedForm::Ratio, kMidOn},
    {kThrL, TypedForm::Threshold, kLowOn},
    {kRatioL, TypedForm::Ratio, kLowOn},
    {kMixH, TypedForm::Mix, kHighOn},
    {kMixM, TypedForm::Mix, kMidOn},
    {kMixL, TypedForm::Mix, kLowOn},
}};

// The box's text for a fader value: what the user edits.
std::string typedText(TypedForm form, float value);
// The number at the start of the text as the C library reads it (no number
// reads as 0), narrowed to single precision; none when it is not finite, so
// "nan", "inf" and "1e999" change nothing.
std::optional<float> typedNumber(std::string_view text);
// The fader value a typed number stands for, before the fader clamps it.
float valueOfTyped(TypedForm form, float typed);

// A control's value in its parameter's stored form: integers truncated toward
// zero, ratios as they are.
float storedFormOf(ParameterIndex parameter, float value);
// Writes a control's value to its parameter in the stored form, as a gesture
// of its own that the host hears of.
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
