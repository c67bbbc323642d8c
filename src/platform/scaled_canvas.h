// A canvas in the editor's logical pixels over a canvas of device pixels.
// A logical edge x lies at device edge round(x s), so a logical rectangle
// covers whole device pixels and its neighbours meet it without a seam.
#pragma once

#include <memory>
#include <vector>

#include "platform/canvas.h"
#include "platform/scale.h"

namespace platform {

class ScaledCanvas : public Canvas {
  public:
    // `device` holds the logical width x height at `scale`.
    ScaledCanvas(std::unique_ptr<Canvas> device, Scale scale, int width, int height);

    int width() const override { return width_; }
    int height() const override { return height_; }
    // From another scaled canvas of the same scale (anything else copies
    // nothing). The destination gets exactly the device cells of its logical
    // block. Where the shift between the blocks is whole device pixels this
    // is a device copy. Elsewhere cells differ in size on either side: a
    // canvas scrolling itself fills each cell from the source cell of the
    // same logical pixel; from another canvas the source block moves whole,
    // its last device row or column repeated where the destination is
    // longer.
    void copyFrom(int dstX, int dstY, int w, int h, const Canvas& source, int srcX, int srcY,
                  RasterOp op) override;
    void fillRect(const Rect& rect, const Brush& brush) override;
    // Horizontal and vertical lines become whole device cells, as thick as a
    // logical pixel; a slanted one is drawn between the mapped ends.
    void drawLine(int x0, int y0, int x1, int y1, const Pen& pen) override;
    // The device pixel at the logical pixel's top-left corner.
    Colour pixel(int x, int y) const override;
    // Sets the logical pixel's whole device cell.
    void setPixel(int x, int y, Colour colour) override;
    void excludeClip(const Rect& rect) override;
    void removeClip() override;
    // `font` is a font of the device: made by a ScaledGraphics at this scale.
    void drawCentredText(std::string_view text, const Rect& rect, Colour colour,
                         const Font& font) override;

    Scale scale() const { return scale_; }
    const Canvas& device() const { return *device_; }
    Canvas& device() { return *device_; }

  private:
    Rect toDevice(const Rect& rect) const;

    std::unique_ptr<Canvas> device_;
    Scale scale_;
    int width_;
    int height_;
};

// The device pixels behind a canvas, for work done pixel by pixel at its
// full resolution: a scaled canvas's device, any other canvas itself.
const Canvas& devicePixels(const Canvas& canvas);
Canvas& devicePixels(Canvas& canvas);
// 1.0 for a canvas that is not scaled.
Scale scaleOf(const Canvas& canvas);

}  // namespace platform
