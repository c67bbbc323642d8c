// The editor window as the system's callbacks see it: a handle whose user
// data is its editor while the editor is open.
#pragma once

#include <cstdint>

#include "platform/window_services.h"

namespace velmorin {

class ADEditor;

struct EditorWindow {
    platform::WindowServices* windows = nullptr;
    ADEditor* editor = nullptr;  // null once the window's editor has closed
};

EditorWindow editorWindowOf(platform::WindowHandle window);

// The window procedure of the window class. Destroying the window of an open
// editor closes the editor, so host close and window destruction may come in
// either order; a paint message paints it, the timer's posted message runs
// the display tick.
std::intptr_t editorWindowProcedure(platform::WindowHandle window, std::uint32_t message,
                                    std::uintptr_t wParam, std::intptr_t lParam);

}  // namespace velmorin
