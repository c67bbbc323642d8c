// The editor window's paint: the whole skin, the level read-out, the wave
// displays with their gain-reduction strips and the output meter as their
// surfaces hold them, then every control.
#pragma once

#include "editor/editor_view.h"
#include "editor/effect_controls.h"
#include "editor/shared_drawing.h"

namespace velmorin {

// Paints an open editor's window. Only what the window has invalid is
// repainted from the skin and the surfaces; the controls redraw themselves
// whole, through their own window canvas. The output sums the effect handed
// over are kept for the read-out, not cleared.
void paintEditor(EditorView& view, EffectControls& effect, platform::WindowServices& windows,
                 const SharedDrawing& shared);

}  // namespace velmorin
