// A canvas over a 32-bit pixel buffer that draws pixel for pixel what the
// Windows graphics calls draw (text aside), so pictures made headless can be
// compared with the real window.
#pragma once

#include <memory>
#include <vector>

#include "platform/canvas.h"
#include "platform/soft/glyph_set.h"
#include "platform/soft/pixel_buffer.h"

namespace platform {

// A font of the software canvas: one of the compiled glyph sets.
class SoftFont : public Font {
  public:
    SoftFont(FontRequest request, const GlyphSet& glyphs)
        : Font(std::move(request)), glyphs_(glyphs) {}
    const GlyphSet& glyphs() const { return glyphs_; }

  private:
    const GlyphSet& glyphs_;
};

class SoftCanvas : public Canvas {
  public:
    explicit SoftCanvas(std::shared_ptr<PixelBuffer> target);

    int width() const override { return target_->width; }
    int height() const override { return target_->height; }
    void copyFrom(int dstX, int dstY, int w, int h, const Canvas& source, int srcX, int srcY,
                  RasterOp op) override;
    void fillRect(const Rect& rect, const Brush& brush) override;
    void drawLine(int x0, int y0, int x1, int y1, const Pen& pen) override;
    Colour pixel(int x, int y) const override;
    void setPixel(int x, int y, Colour colour) override;
    void excludeClip(const Rect& rect) override;
    void removeClip() override;
    void drawCentredText(std::string_view text, const Rect& rect, Colour colour,
                         const Font& font) override;

    const PixelBuffer& pixels() const { return *target_; }

  private:
    bool drawable(int x, int y) const;
    void blend(int x, int y, Colour colour, std::uint8_t coverage);

    std::shared_ptr<PixelBuffer> target_;
    std::vector<Rect> excluded_;
};

}  // namespace platform
