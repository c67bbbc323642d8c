// What the editor asks of the system, handed in by whoever builds the editor:
// the headless services in tests and on Linux, the Win32 ones on Windows.
#pragma once

#include "platform/graphics.h"
#include "platform/preference_store.h"
#include "platform/window_services.h"

namespace velmorin {

// Every service must outlive the editors made with it: an editor left open
// closes itself when its effect is destroyed.
struct EditorPlatform {
    platform::Graphics& graphics;
    platform::WindowServices& windows;
    platform::PreferenceStore& preferences;
};

}  // namespace velmorin
