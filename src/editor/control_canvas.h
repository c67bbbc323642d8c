// What a control draws with: the editor window, reached through the window
// services each time it draws, and the skin it restores its background from.
#pragma once

#include "platform/canvas.h"
#include "platform/window_services.h"

namespace velmorin {

struct ControlCanvas {
    platform::WindowServices& windows;
    platform::WindowHandle window;
    const platform::Canvas& skin;
};

}  // namespace velmorin
