#include "formats/vst2/vst2_editor.h"

namespace velmorin {

Vst2Editor::Vst2Editor(ADelay& effect, const EditorPlatform& platform)
    : AEffEditor(&effect), controls_(effect), editor_(controls_, platform) {
    effect.setEditor(this);
}

bool Vst2Editor::getRect(ERect** rect) {
    static ERect editorRect{0, 0, kEditorHeight, kEditorWidth};
    if (!rect) return false;
    *rect = &editorRect;
    return true;
}

}  // namespace velmorin
