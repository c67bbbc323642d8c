#include "formats/vst2/windows_editor.h"

#include "formats/vst2/vst2_editor.h"
#include "platform/win32/gdi_graphics.h"
#include "platform/win32/registry_preference_store.h"
#include "platform/win32/win32_windows.h"

namespace {

// One set of services for every editor of the process; they keep no state
// of their own beyond the class and timer tables.
const velmorin::EditorPlatform& windowsPlatform() {
    static platform::win32::GdiGraphics graphics;
    static platform::win32::Win32Windows windows;
    static platform::win32::RegistryPreferenceStore preferences;
    static const velmorin::EditorPlatform platform{graphics, windows, preferences};
    return platform;
}

}  // namespace

ADelayEdit::EditorFactory windowsEditorFactory() {
    return [](ADelayEdit& effect) -> AEffEditor* {
        return new velmorin::Vst2Editor(effect, windowsPlatform());
    };
}
