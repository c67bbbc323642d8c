// Drawing objects for the software canvas; bitmaps come from a lookup so
// tests can hand in their own.
#pragma once

#include "platform/graphics.h"
#include "platform/soft/bitmap_image.h"

namespace platform {

class SoftGraphics : public Graphics {
  public:
    explicit SoftGraphics(BitmapLookup bitmaps) : bitmaps_(std::move(bitmaps)) {}

    std::unique_ptr<Canvas> createSurface(int width, int height) override;
    std::unique_ptr<Canvas> loadBitmap(int id) override;
    std::unique_ptr<Pen> createPen(Colour colour) override;
    std::unique_ptr<Brush> createBrush(Colour colour) override;
    // The compiled glyph set nearest to the request: same height first, then
    // nearest width, then nearest weight.
    std::unique_ptr<Font> createFont(const FontRequest& request) override;

  private:
    BitmapLookup bitmaps_;
};

}  // namespace platform
