#include "formats/vst2/vst2_editor.h"

namespace velmorin {

Vst2Editor::Vst2Editor(ADelay& effect, const EditorPlatform& platform)
    // Hosts find the effect object in the editor window's user data.
    : AEffEditor(&effect),
      controls_(effect),
      editor_(controls_, platform, static_cast<AudioEffect*>(&effect)) {
    effect.setEditor(this);
    editor_.setHostResize(
        [&effect](int width, int height) { return effect.sizeWindow(width, height); });
}

bool Vst2Editor::getRect(ERect** rect) {
    if (!rect) return false;
    const platform::Scale scale = editor_.scale();
    rect_ = {0, 0, static_cast<std::int16_t>(scale.device(kEditorHeight)),
             static_cast<std::int16_t>(scale.device(kEditorWidth))};
    *rect = &rect_;
    return true;
}

}  // namespace velmorin
