// The library's single exported entry point.
#include <new>

#include "formats/vst2/adelay_edit.h"

#if defined(VELMORIN_X11_EDITOR)
#include "formats/vst2/x11_editor.h"
#endif

// On Windows the load entry, DllMain, is formats/win32/dll_main.cpp.
#if defined(_WIN32)
#include "formats/vst2/windows_editor.h"
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
