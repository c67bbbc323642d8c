// Brings the open editor in line with its display preferences: the context
// menu's check marks, the wave pens' colours and the zoom faders' range.
#pragma once

#include "editor/editor_platform.h"
#include "editor/editor_view.h"
#include "editor/effect_controls.h"

namespace velmorin {

// Replaces the twelve wave pens with pens of the colour table's entries, in
// entry order. Components are taken modulo 256, as RGB() takes its bytes.
void recolourWavePens(WavePens& pens, platform::Graphics& graphics, const WaveColourTable& colours);

// Scheme 0 and 1 also write their colours into the table; a zoom range moves
// the stored zoom values into it and sends them to the effect again. A value
// that no menu item has checks no item and changes nothing else.
void applyDisplayPrefs(EditorView& view, EffectControls& effect, const EditorPlatform& platform);

// Values that reached the effect from its host after the editor opened (an
// editor in another process hears of them late): the settings' check marks
// follow them, and zooms outside the chosen range are corrected.
void applyHostValues(EditorView& view, EffectControls& effect, platform::WindowServices& windows);

}  // namespace velmorin
