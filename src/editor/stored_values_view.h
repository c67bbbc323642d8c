// How the controls show the engine's stored parameter values: switches light
// a lamp from magnitude 1 on, a band's faders grey out when the band is off
// or bypassed, and every fader clamps into its own range.
#pragma once

#include "editor/editor_controls.h"
#include "engine/engine_state.h"

namespace velmorin {

void showStoredValues(const EditorControls& controls, const EngineState& engine);

}  // namespace velmorin
