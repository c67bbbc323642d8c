// What the editor asks of the system, handed in by whoever builds the editor:
// the headless services in tests and on Linux, the Win32 ones on Windows.
#pragma once

#include "platform/graphics.h"
#include "platform/preference_store.h"
#include "platform/scale.h"
#include "platform/window_services.h"

namespace velmorin {

// Drawing at every editor scale, for a platform whose editor windows can
// change scale.
class EditorScales {
  public:
    virtual ~EditorScales() = default;
    // Draws at `scale` with the bitmaps drawn for it; lives as long as this.
    virtual platform::Graphics& graphicsAt(platform::Scale scale) = 0;
    // How large the system draws where `window` is shown (none: where an
    // editor would open): 1.0 for an ordinary screen.
    virtual double systemScaleFactor(platform::WindowHandle window) = 0;
};

// Every service must outlive the editors made with it: an editor left open
// closes itself when its effect is destroyed.
struct EditorPlatform {
    platform::Graphics& graphics;
    platform::WindowServices& windows;
    platform::PreferenceStore& preferences;
    // Without it the editor draws only with `graphics`, at whatever scale
    // the windows give it, and a size chosen is only stored.
    EditorScales* scales = nullptr;
};

}  // namespace velmorin
