// The text a fader's read-out shows for its value.
#pragma once

#include <string>

#include "editor/layout.h"

namespace velmorin {

// "OFF" for a dimmed mix fader; every other kind shows its number dimmed or
// not.
std::string readoutText(Readout kind, float value, bool dimmed);

// Dimmed read-outs are grey for these kinds; the master faders never dim.
bool readoutGreysWhenDimmed(Readout kind);

}  // namespace velmorin
