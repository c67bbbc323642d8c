#include "formats/vst2/vst2_editor.h"

namespace velmorin {

Vst2Editor::Vst2Editor(ADelay& effect, const EditorPlatform& platform)
    // Hosts find the effect object in the editor window's user data.
    : AEffEditor(&effect),
      controls_(effect),
      editor_(controls_, platform, static_cast<AudioEffect*>(&effect)) {
    effect.setEditor(this);
}

bool Vst2Editor::getRect(ERect** rect) {
    static ERect editorRect{0, 0, kEditorHeight, kEditorWidth};
    if (!rect) return false;
    *rect = &editorRect;
    return true;
}

}  // namespace velmorin
