// The editor window as the system's callbacks see it: a handle whose user
// data names its editor while the editor is open. What it holds is the
// format's choice (a VST 2.4 host finds its effect object there); the open
// editors are found by it.
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

// The open editors of the process, each found by its window's user data.
void enterOpenEditor(ADEditor& editor);
void leaveOpenEditor(ADEditor& editor);

// The window procedure of the window class. Destroying the window of an open
// editor closes the editor, so host close and window destruction may come in
// either order; a paint message paints it, the timer's posted message runs
// the display tick.
std::intptr_t editorWindowProcedure(platform::WindowHandle window, std::uint32_t message,
                                    std::uintptr_t wParam, std::intptr_t lParam);

}  // namespace velmorin
