#include "editor/editor_timer.h"

#include "editor/ad_editor.h"
#include "editor/editor_window.h"

namespace velmorin {

std::uint32_t timerPeriodMs(int32_t displaySpeed) {
    switch (displaySpeed) {
        case 1:
            return 166;
        case 3:
            return 100;
        case 4:
            return 80;
        default:
            return 125;
    }
}

void startEditorTimer(platform::WindowServices& windows, platform::WindowHandle window,
                      int32_t displaySpeed) {
    windows.killTimer(window, kEditorTimerId);
    windows.setTimer(window, kEditorTimerId, timerPeriodMs(displaySpeed), editorTimerProcedure);
}

void editorTimerProcedure(platform::WindowHandle window, std::uint32_t, std::uintptr_t timerId,
                          std::uint32_t) {
    const EditorWindow editorWindow = editorWindowOf(window);
    ADEditor* editor = editorWindow.editor;
    if (!editor) return;
    if (timerId == kEditorTimerId) editorWindow.windows->postMessage(window, kMsgDisplayTick, 0, 0);
    // Cleared before the refresh: a change arriving meanwhile is either seen
    // by this refresh or sets the flag for the next tick.
    if (editor->effect().takeParametersChanged()) editor->refresh();
}

}  // namespace velmorin
