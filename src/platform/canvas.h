// A drawing target with the semantics of a Windows device context: a window's
// client area, an offscreen surface or a loaded bitmap. Every operation is
// clipped to the canvas and to its clip region.
#pragma once

#include <string_view>

#include "platform/colour.h"
#include "platform/drawing_objects.h"
#include "platform/geometry.h"

namespace platform {

// How a rectangle copy combines source and destination pixels.
enum class RasterOp {
    Copy,  // destination = source
    And,   // destination = destination AND source
    Or,    // destination = destination OR source
};

class Canvas {
  public:
    virtual ~Canvas() = default;

    virtual int width() const = 0;
    virtual int height() const = 0;

    // Copies the w x h block at (srcX, srcY) of `source` to (dstX, dstY).
    // Source and destination may be the same canvas and may overlap.
    virtual void copyFrom(int dstX, int dstY, int w, int h, const Canvas& source, int srcX,
                          int srcY, RasterOp op) = 0;

    // Fills the rectangle without its right column and bottom row.
    virtual void fillRect(const Rect& rect, const Brush& brush) = 0;

    // Draws from (x0, y0) towards (x1, y1); the end point itself is not drawn,
    // so a line whose ends are equal draws nothing.
    virtual void drawLine(int x0, int y0, int x1, int y1, const Pen& pen) = 0;

    // A point outside the canvas or its clip reads as kInvalidColour and
    // ignores writes.
    virtual Colour pixel(int x, int y) const = 0;
    virtual void setPixel(int x, int y, Colour colour) = 0;

    // Removes the rectangle from the region drawing may touch.
    virtual void excludeClip(const Rect& rect) = 0;
    // Lets drawing touch the whole canvas again.
    virtual void removeClip() = 0;

    // Draws one line of text, horizontally centred in `rect` and aligned to
    // its top, with a transparent background; nothing outside `rect` changes.
    virtual void drawCentredText(std::string_view text, const Rect& rect, Colour colour,
                                 const Font& font) = 0;
};

}  // namespace platform
