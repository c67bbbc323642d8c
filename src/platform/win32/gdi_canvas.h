// A canvas over a GDI device context: a window's, one being painted, or a
// memory context holding a surface or a loaded bitmap. The canvas releases
// what it was given when it goes.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "platform/canvas.h"

namespace platform::win32 {

class GdiCanvas : public Canvas {
  public:
    // `release` gives the context back (ReleaseDC, EndPaint, DeleteDC...);
    // a null context draws nowhere.
    GdiCanvas(HDC dc, int width, int height, std::function<void(HDC)> release);
    ~GdiCanvas() override;
    GdiCanvas(const GdiCanvas&) = delete;
    GdiCanvas& operator=(const GdiCanvas&) = delete;

    int width() const override { return width_; }
    int height() const override { return height_; }
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

    HDC dc() const { return dc_; }

  private:
    HDC dc_;
    int width_;
    int height_;
    std::function<void(HDC)> release_;
};

// A memory context with a bitmap selected into it, both deleted with the canvas.
std::unique_ptr<GdiCanvas> memoryCanvas(HBITMAP bitmap, int width, int height);

}  // namespace platform::win32
