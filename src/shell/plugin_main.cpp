// The library's single exported entry point (and, on Windows, its load entry).
#include <new>

#include "shell/adelay_edit.h"

#if defined(VELMORIN_X11_EDITOR)
#include "shell/x11_editor.h"
#endif

#if defined(_WIN32)
#include <windows.h>

// The editor loads its bitmaps and menu and registers its window classes with
// the module's own instance handle.
void* hInstance = nullptr;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD, LPVOID) {
    hInstance = instance;
    return TRUE;
}
#endif

VST_EXPORT AEffect* VSTPluginMain(audioMasterCallback host) {
    if (!host || host(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0) return nullptr;
    try {
#if defined(VELMORIN_X11_EDITOR)
        return (new ADelayEdit(host, velmorin::makeX11Editor))->getAeffect();
#else
        return (new ADelayEdit(host))->getAeffect();
#endif
    } catch (const std::bad_alloc&) {
        return nullptr;  // no exception may cross into the host
    }
}
