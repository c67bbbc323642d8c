// The left mouse button in the editor window: a press commits an open value
// box, opens one, grabs or pages a fader, switches lamps and answers the
// skin's hot spots (band switches, Mix reset, information, peak-hold
// release), in that order; a move with only the left button held
// drags the grabbed fader; the release lets it go. Every change reaches the
// effect as a gesture of the user (a drag is one from press to release), so
// the host hears of each.
#pragma once

#include <cstdint>

namespace velmorin {

class ADEditor;

// Key state of a mouse message, as its first parameter carries it.
inline constexpr std::uintptr_t kKeyLeftButton = 0x0001;
inline constexpr std::uintptr_t kKeyShift = 0x0004;
inline constexpr std::uintptr_t kKeyControl = 0x0008;

void onLeftButtonDown(ADEditor& editor, int x, int y, std::uintptr_t keys);
void onMouseMove(ADEditor& editor, int x, int y, std::uintptr_t keys);
void onLeftButtonUp(ADEditor& editor);
// Lets the dragged fader go, ending its gesture; nothing when none is dragged.
void endDrag(ADEditor& editor);

}  // namespace velmorin
