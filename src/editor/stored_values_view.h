// How the controls show the engine's stored parameter values: switches light
// a lamp from magnitude 1 on, a band's faders grey out when the band is off
// or bypassed, and every fader clamps into its own range.
#pragma once

#include "editor/editor_controls.h"
#include "editor/wave_surfaces.h"
#include "engine/engine_state.h"

namespace velmorin {

void showStoredValues(const EditorControls& controls, const EngineState& engine);

// The stored zooms in display order, High, Mid, Low, Master; the engine keeps
// the master's first.
DisplayZooms storedDisplayZooms(const EngineState& engine);

}  // namespace velmorin
