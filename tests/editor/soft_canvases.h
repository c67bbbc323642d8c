// Small software canvases that stand in for the editor's bitmaps and surfaces.
#pragma once

#include <memory>

#include "platform/soft/soft_canvas.h"

namespace velmorin::testing {

inline platform::SoftCanvas softCanvas(int width, int height, platform::Colour fill) {
    return platform::SoftCanvas(std::make_shared<platform::PixelBuffer>(width, height, fill));
}

}  // namespace velmorin::testing
