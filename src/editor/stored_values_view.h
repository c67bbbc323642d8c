// How the controls show the effect's stored parameter values: switches light
// a lamp from magnitude 1 on, a band's faders grey out when the band is off
// or bypassed, and every fader clamps into its own range.
#pragma once

#include "editor/editor_controls.h"
#include "editor/effect_controls.h"
#include "editor/wave_surfaces.h"

namespace velmorin {

void showStoredValues(const EditorControls& controls, const EffectControls& effect);

// The stored zooms in display order, High, Mid, Low, Master.
DisplayZooms storedDisplayZooms(const EffectControls& effect);

}  // namespace velmorin
