// A software canvas over a window's pixels that notes what each drawing call
// may have changed, so only those rectangles go to the screen.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "platform/soft/soft_canvas.h"
#include "platform/x11/damage_region.h"

namespace platform::x11 {

class DamageCanvas : public SoftCanvas {
  public:
    DamageCanvas(std::shared_ptr<PixelBuffer> pixels, std::shared_ptr<DamageRegion> damage)
        : SoftCanvas(std::move(pixels)), damage_(std::move(damage)) {}

    void copyFrom(int dstX, int dstY, int w, int h, const Canvas& source, int srcX, int srcY,
                  RasterOp op) override {
        SoftCanvas::copyFrom(dstX, dstY, w, h, source, srcX, srcY, op);
        damage_->add({dstX, dstY, dstX + w, dstY + h});
    }
    void fillRect(const Rect& rect, const Brush& brush) override {
        SoftCanvas::fillRect(rect, brush);
        damage_->add(rect);
    }
    void drawLine(int x0, int y0, int x1, int y1, const Pen& pen) override {
        SoftCanvas::drawLine(x0, y0, x1, y1, pen);
        damage_->add(
            {std::min(x0, x1), std::min(y0, y1), std::max(x0, x1) + 1, std::max(y0, y1) + 1});
    }
    void setPixel(int x, int y, Colour colour) override {
        SoftCanvas::setPixel(x, y, colour);
        damage_->add({x, y, x + 1, y + 1});
    }
    void drawCentredText(std::string_view text, const Rect& rect, Colour colour,
                         const Font& font) override {
        SoftCanvas::drawCentredText(text, rect, colour, font);
        damage_->add(rect);
    }

  private:
    std::shared_ptr<DamageRegion> damage_;
};

}  // namespace platform::x11
