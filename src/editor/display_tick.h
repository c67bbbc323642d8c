// One display tick, run by the message the editor timer posts: the Output
// fader follows the normalizer, the level read-out (every twelfth tick), the
// gain-reduction and output meters, one new column of each wave display, and
// the changed areas copied to the window. It takes what the audio thread has
// gathered in the display feed since the last tick.
#pragma once

#include "editor/editor_view.h"
#include "editor/effect_controls.h"
#include "editor/shared_drawing.h"

namespace velmorin {

inline constexpr int kReadoutEveryTicks = 12;

// Runs the tick for an open editor's view.
void runDisplayTick(EditorView& view, EffectControls& effect, platform::WindowServices& windows,
                    const SharedDrawing& shared);

}  // namespace velmorin
