// Creates what the editor draws with and into.
#pragma once

#include <memory>

#include "platform/canvas.h"
#include "platform/drawing_objects.h"

namespace platform {

class Graphics {
  public:
    virtual ~Graphics() = default;

    // An offscreen surface that starts black.
    virtual std::unique_ptr<Canvas> createSurface(int width, int height) = 0;
    // The bitmap resource with this identifier on a canvas of its own size,
    // or null when the module has no such bitmap.
    virtual std::unique_ptr<Canvas> loadBitmap(int id) = 0;

    virtual std::unique_ptr<Pen> createPen(Colour colour) = 0;
    virtual std::unique_ptr<Brush> createBrush(Colour colour) = 0;
    virtual std::unique_ptr<Font> createFont(const FontRequest& request) = 0;
};

}  // namespace platform
