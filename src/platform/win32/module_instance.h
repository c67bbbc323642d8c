// The plug-in module's instance handle, kept by the load entry: bitmaps, the
// menu and the window classes are found through it, not through the host's.
#pragma once

#include <windows.h>

namespace platform::win32 {

void setModuleInstance(HINSTANCE instance);
// The module's handle, or the process's own when no load entry ran (a test
// program that links the editor directly).
HINSTANCE moduleInstance();

}  // namespace platform::win32
