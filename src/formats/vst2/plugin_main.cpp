// The library's single exported entry point (and, on Windows, its load entry).
#include <new>

#include "formats/vst2/adelay_edit.h"

#if defined(VELMORIN_X11_EDITOR)
#include "formats/vst2/x11_editor.h"
#endif

#if defined(_WIN32)
#include "formats/vst2/windows_editor.h"
#include "platform/win32/module_instance.h"

// The editor loads its bitmaps and menu and registers its window classes with
// the module's own instance handle.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD, LPVOID) {
    platform::win32::setModuleInstance(instance);
    return TRUE;
}
#endif

namespace {

ADelayEdit::EditorFactory editorFactory() {
#if defined(_WIN32)
    return windowsEditorFactory();
#elif defined(VELMORIN_X11_EDITOR)
    return velmorin::makeX11Editor;
#else
    return {};
#endif
}

}  // namespace

VST_EXPORT AEffect* VSTPluginMain(audioMasterCallback host) {
    if (!host || host(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0) return nullptr;
    try {
        return (new ADelayEdit(host, editorFactory()))->getAeffect();
    } catch (const std::bad_alloc&) {
        return nullptr;  // no exception may cross into the host
    }
}
