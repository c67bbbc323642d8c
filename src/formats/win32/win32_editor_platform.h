// What every editor of a Windows plug-in module shares: GDI drawing at every
// scale, USER32 windows with their timers, and the preferences in the
// registry. The VST 2.4 editor and the CLAP editor each open the editor in a
// host's window; the host's message loop runs the windows and the editor's
// own timer.
#pragma once

#include "editor/device_editor_scales.h"
#include "editor/editor_platform.h"
#include "platform/win32/registry_preference_store.h"
#include "platform/win32/win32_windows.h"

namespace velmorin {

struct Win32EditorPlatform {
    platform::win32::Win32Windows windows;
    // GDI at the scale the user's size choice, else the host, else the DPI
    // of the window's monitor gives.
    DeviceEditorScales scales;
    platform::win32::RegistryPreferenceStore preferences;
    EditorPlatform services{scales.graphicsAt({}), windows, preferences, &scales};

    // The module's one platform; it keeps no state of its own beyond the
    // class, timer and scale tables and the graphics made, and outlives
    // every editor.
    static Win32EditorPlatform& process();

  private:
    Win32EditorPlatform();
};

}  // namespace velmorin
