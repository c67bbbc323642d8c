// Drawing objects over GDI: surfaces compatible with the screen, bitmaps
// from the module's resources (those drawn for 1.0) or from a lookup of
// bitmaps drawn for another scale, pens, brushes and fonts.
#pragma once

#include <utility>

#include "platform/graphics.h"
#include "platform/soft/bitmap_image.h"

namespace platform::win32 {

class GdiGraphics : public Graphics {
  public:
    // The module's bitmap resources.
    GdiGraphics() = default;
    // The bitmaps `bitmaps` finds, made into screen-compatible bitmaps.
    explicit GdiGraphics(BitmapLookup bitmaps) : bitmaps_(std::move(bitmaps)) {}

    std::unique_ptr<Canvas> createSurface(int width, int height) override;
    std::unique_ptr<Canvas> loadBitmap(int id) override;
    std::unique_ptr<Pen> createPen(Colour colour) override;
    std::unique_ptr<Brush> createBrush(Colour colour) override;
    std::unique_ptr<Font> createFont(const FontRequest& request) override;

  private:
    BitmapLookup bitmaps_;
};

}  // namespace platform::win32
