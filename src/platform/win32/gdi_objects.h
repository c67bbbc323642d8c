// Pens, brushes and fonts that own their GDI object.
#pragma once

#include <windows.h>

#include "platform/drawing_objects.h"

namespace platform::win32 {

class GdiPen : public Pen {
  public:
    explicit GdiPen(Colour colour) : Pen(colour), handle_(CreatePen(PS_SOLID, 1, colour)) {}
    ~GdiPen() override { DeleteObject(handle_); }
    GdiPen(const GdiPen&) = delete;
    GdiPen& operator=(const GdiPen&) = delete;
    HPEN handle() const { return handle_; }

  private:
    HPEN handle_;
};

class GdiBrush : public Brush {
  public:
    explicit GdiBrush(Colour colour) : Brush(colour), handle_(CreateSolidBrush(colour)) {}
    ~GdiBrush() override { DeleteObject(handle_); }
    GdiBrush(const GdiBrush&) = delete;
    GdiBrush& operator=(const GdiBrush&) = delete;
    HBRUSH handle() const { return handle_; }

  private:
    HBRUSH handle_;
};

// Every attribute the request does not name keeps its default: no italic,
// underline or strike-out, ANSI characters, default precision, quality, pitch.
class GdiFont : public Font {
  public:
    explicit GdiFont(const FontRequest& request)
        : Font(request),
          handle_(CreateFontA(request.height, request.width, 0, 0, request.weight, FALSE, FALSE,
                              FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                              DEFAULT_QUALITY, DEFAULT_PITCH, request.face.c_str())) {}
    ~GdiFont() override { DeleteObject(handle_); }
    GdiFont(const GdiFont&) = delete;
    GdiFont& operator=(const GdiFont&) = delete;
    HFONT handle() const { return handle_; }

  private:
    HFONT handle_;
};

}  // namespace platform::win32
