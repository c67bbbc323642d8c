// Drawing objects over GDI: surfaces compatible with the screen, bitmaps
// from the module's resources, pens, brushes and fonts.
#pragma once

#include "platform/graphics.h"

namespace platform::win32 {

class GdiGraphics : public Graphics {
  public:
    std::unique_ptr<Canvas> createSurface(int width, int height) override;
    std::unique_ptr<Canvas> loadBitmap(int id) override;
    std::unique_ptr<Pen> createPen(Colour colour) override;
    std::unique_ptr<Brush> createBrush(Colour colour) override;
    std::unique_ptr<Font> createFont(const FontRequest& request) override;
};

}  // namespace platform::win32
