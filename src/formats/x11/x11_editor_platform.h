// What every editor of a Linux plug-in module shares: the X windows, the
// software graphics at every scale and the preference file. The VST 2.4
// editor and the LV2 UI and CLAP GUI each open the editor in a host's X
// window and pump it on the host's idle calls.
#pragma once

#include <filesystem>

#include "editor/editor_platform.h"
#include "editor/soft_editor_scales.h"
#include "platform/soft/file_preference_store.h"
#include "platform/x11/x11_windows.h"

namespace velmorin {

struct X11EditorPlatform {
    // Keeps its preferences in `preferenceFile`.
    explicit X11EditorPlatform(const std::filesystem::path& preferenceFile);

    platform::x11::X11Windows windows;
    // The desktop's scale is read from the X server at each use.
    SoftEditorScales scales;
    platform::FilePreferenceStore preferences;
    // At the scale the user's size choice, else the host, else the desktop
    // gives.
    EditorPlatform services{scales.graphicsAt({}), windows, preferences, &scales};

    // The module's one platform, with the user's preference file; it
    // outlives every editor, as it is destroyed only when the module is
    // unloaded.
    static X11EditorPlatform& process();
};

}  // namespace velmorin
