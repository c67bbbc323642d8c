// Which scale an editor opens at: the user's stored choice, else what the
// host asks for, else what the system runs at; always one of the editor's
// scales.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/scale.h"

namespace platform {

// The stored choice: Automatic, or a scale's percentage (100, 125 ... 300).
inline constexpr std::int32_t kAutomaticScale = 0;

// The scale a stored choice names; none for Automatic and for any value
// that names no scale of the editor.
std::optional<Scale> scaleOfChoice(std::int32_t storedChoice);

// The editor's scale nearest `factor` (a tie goes to the larger one), with
// factors below 1.0 or above 3.0 taken as those; a factor that is not a
// number gives 1.0.
Scale nearestEditorScale(double factor);

// The stored choice when it is one of the editor's scales; Automatic (or
// anything else, such as a damaged store) defers to the host's factor when
// it has one that is positive and finite, and then to the system's.
Scale chooseEditorScale(std::int32_t storedChoice, std::optional<double> hostFactor,
                        double systemFactor);

}  // namespace platform
