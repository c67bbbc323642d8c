// What every editor of a Linux plug-in module shares: the X windows, the
// software graphics and the preference file. The VST 2.4 editor and the LV2
// UI each open the editor in a host's X window and pump it on the host's idle
// calls.
#pragma once

#include "editor/editor_platform.h"
#include "platform/soft/file_preference_store.h"
#include "platform/soft/soft_graphics.h"
#include "platform/x11/x11_windows.h"

namespace velmorin {

struct X11EditorPlatform {
    platform::x11::X11Windows windows;
    platform::SoftGraphics graphics;
    platform::FilePreferenceStore preferences;
    EditorPlatform services{graphics, windows, preferences};

    // The module's one platform; it outlives every editor, as it is
    // destroyed only when the module is unloaded.
    static X11EditorPlatform& process();

  private:
    X11EditorPlatform();
};

}  // namespace velmorin
