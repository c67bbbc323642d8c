#include "formats/vst2/windows_editor.h"

#include "formats/vst2/vst2_editor.h"
#include "formats/win32/win32_editor_platform.h"

ADelayEdit::EditorFactory windowsEditorFactory() {
    return [](ADelayEdit& effect) -> AEffEditor* {
        return new velmorin::Vst2Editor(effect, velmorin::Win32EditorPlatform::process().services);
    };
}
