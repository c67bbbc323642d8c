// The editor's state that outlives its window. The editor object holding it
// is created and destroyed with its effect, so closing and reopening keeps
// it, and the window and timer procedures find it through the effect.
#pragma once

#include <array>
#include <memory>

#include "editor/display_prefs.h"
#include "editor/editor_controls.h"
#include "platform/drawing_objects.h"
#include "platform/window_services.h"

namespace velmorin {

inline constexpr int kWaveDisplays = 4;        // 0 High, 1 Mid, 2 Low, 3 Master
inline constexpr int kPensPerWaveDisplay = 3;  // 0 outer trace, 1 inner trace, 2 threshold line
using WavePenTable =
    std::array<std::array<std::unique_ptr<platform::Pen>, kPensPerWaveDisplay>, kWaveDisplays>;

struct EditorView {
    platform::WindowHandle window;  // empty while the editor is closed
    platform::MenuHandle menu;      // menu 111, the context menu's source
    WavePenTable wavePens;          // [display][role]
    DisplayPrefs prefs;
    EditorControls controls;
    Fader* activeEdit = nullptr;       // the fader whose value box is open for typing
    FaderBase* dragControl = nullptr;  // the fader the mouse is dragging
    // The wave display surfaces and the wave column ring join here with the
    // wave displays; the meter state with the display tick.
};

}  // namespace velmorin
