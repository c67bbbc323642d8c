// The editor's state that outlives its window. The editor object holding it
// is created and destroyed with its effect, so closing and reopening keeps
// it, and the window and timer procedures find it through the effect.
#pragma once

#include "editor/display_prefs.h"
#include "editor/editor_controls.h"
#include "editor/meter_state.h"
#include "editor/wave_column_ring.h"
#include "editor/wave_pens.h"
#include "editor/wave_surfaces.h"
#include "engine/display_feed.h"
#include "platform/window_services.h"

namespace velmorin {

struct EditorView {
    platform::WindowHandle window;  // empty while the editor is closed
    platform::MenuHandle menu;      // menu 111, the context menu's source
    WavePens wavePens;              // [display][role]
    DisplayPrefs prefs;
    WaveSurfaces waveSurfaces;   // exist while the editor is open
    WaveColumnRing waveColumns;  // kept across close and reopen
    EditorControls controls;
    Fader* activeEdit = nullptr;       // the fader whose value box is open for typing
    FaderBase* dragControl = nullptr;  // the fader the mouse is dragging
    // The output's energy gathered for the level read-out until the display
    // tick shows it.
    OutputSums readoutSums;
    MeterState meters;
};

}  // namespace velmorin
