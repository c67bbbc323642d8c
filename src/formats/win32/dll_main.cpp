// The load entry of every Windows plug-in module (Velmorin.dll,
// Velmorin.clap): the editor loads its bitmaps and menu and registers its
// window classes with the module's own instance handle, not the host's.
#include <windows.h>

#include "platform/win32/module_instance.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD, LPVOID) {
    platform::win32::setModuleInstance(instance);
    return TRUE;
}
