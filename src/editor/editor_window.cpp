#include "editor/editor_window.h"

#include "editor/ad_editor.h"
#include "editor/editor_timer.h"
#include "editor/menu_commands.h"
#include "editor/mouse_input.h"
#include "editor/shared_editor_resources.h"
#include "editor/value_entry.h"
#include "platform/window_messages.h"

#include <algorithm>
#include <vector>

namespace velmorin {
namespace {

// Touched only on the thread that runs the editors' windows.
std::vector<ADEditor*>& openEditors() {
    static std::vector<ADEditor*> editors;
    return editors;
}

}  // namespace

EditorWindow editorWindowOf(platform::WindowHandle window) {
    platform::WindowServices* windows = SharedEditorResources::process().windows();
    if (!windows) return {};
    const void* userData = windows->userData(window);
    if (!userData) return {windows, nullptr};
    const std::vector<ADEditor*>& editors = openEditors();
    const auto found = std::find_if(editors.begin(), editors.end(), [userData](ADEditor* editor) {
        return editor->windowUserData() == userData;
    });
    return {windows, found == editors.end() ? nullptr : *found};
}

void enterOpenEditor(ADEditor& editor) {
    openEditors().push_back(&editor);
}

void leaveOpenEditor(ADEditor& editor) {
    std::erase(openEditors(), &editor);
}

std::intptr_t editorWindowProcedure(platform::WindowHandle window, std::uint32_t message,
                                    std::uintptr_t wParam, std::intptr_t lParam) {
    const EditorWindow editorWindow = editorWindowOf(window);
    ADEditor* editor = editorWindow.editor;
    if (!editor || editor->view().window != window) return 0;
    const platform::Point point = platform::pointOf(lParam);
    switch (message) {
        case platform::kMsgLeftButtonDown:
            onLeftButtonDown(*editor, point.x, point.y, wParam);
            break;
        case platform::kMsgMouseMove:
            onMouseMove(*editor, point.x, point.y, wParam);
            break;
        case platform::kMsgLeftButtonUp:
            onLeftButtonUp(*editor);
            break;
        case platform::kMsgCommand:
            if (platform::notificationOf(wParam) == platform::kEditChanged)
                commitValueBoxOnSecondLine(*editor);
            // The host may have closed the editor while hearing of the value.
            if (editor->isOpen()) onMenuCommand(*editor, platform::commandIdOf(wParam));
            break;
        case platform::kMsgContextMenu:
            onContextMenu(*editor, lParam);
            break;
        case platform::kMsgDpiChangedAfterParent:
            // Automatic follows the new monitor; a chosen size stays.
            editor->followSizeChoice();
            break;
        case platform::kMsgDestroy:
            editor->close();
            break;
        case platform::kMsgPaint:
            editor->onPaint();
            break;
        case kMsgDisplayTick:
            editor->onDisplayTick();
            break;
    }
    return 0;
}

}  // namespace velmorin
