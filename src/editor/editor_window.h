// The editor window as the system's callbacks see it: a handle whose user
// data is the effect while its editor is open.
#pragma once

#include <cstdint>

#include "platform/window_services.h"

class ADelay;

namespace velmorin {

struct EditorWindow {
    platform::WindowServices* windows = nullptr;
    ADelay* effect = nullptr;  // null once the window's editor has closed
};

EditorWindow editorWindowOf(platform::WindowHandle window);

class ADEditor;
// The effect's editor, or null when it has none of this kind.
ADEditor* editorOf(ADelay& effect);

// The window procedure of the window class. Destroying the window of an open
// editor closes the editor, so host close and window destruction may come in
// either order; a paint message paints it, the timer's posted message runs
// the display tick.
std::intptr_t editorWindowProcedure(platform::WindowHandle window, std::uint32_t message,
                                    std::uintptr_t wParam, std::intptr_t lParam);

}  // namespace velmorin
