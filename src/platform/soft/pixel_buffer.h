// The pixels behind a software canvas: rows top to bottom, one Colour each.
#pragma once

#include <vector>

#include "platform/colour.h"

namespace platform {

struct PixelBuffer {
    PixelBuffer(int w, int h, Colour fill = rgb(0, 0, 0))
        : width(w > 0 ? w : 0),
          height(h > 0 ? h : 0),
          pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill) {}

    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    Colour& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
    Colour at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }

    int width;
    int height;
    std::vector<Colour> pixels;
};

}  // namespace platform
