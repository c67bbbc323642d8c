#include "platform/win32/gdi_canvas.h"

#include "platform/win32/gdi_objects.h"

namespace platform::win32 {
namespace {

DWORD ropOf(RasterOp op) {
    switch (op) {
        case RasterOp::And:
            return SRCAND;
        case RasterOp::Or:
            return SRCPAINT;
        case RasterOp::Copy:
            break;
    }
    return SRCCOPY;
}

RECT winRect(const Rect& rect) {
    return RECT{rect.left, rect.top, rect.right, rect.bottom};
}

}  // namespace

GdiCanvas::GdiCanvas(HDC dc, int width, int height, std::function<void(HDC)> release)
    : dc_(dc), width_(width), height_(height), release_(std::move(release)) {}

GdiCanvas::~GdiCanvas() {
    if (dc_ && release_) release_(dc_);
}

void GdiCanvas::copyFrom(int dstX, int dstY, int w, int h, const Canvas& source, int srcX, int srcY,
                         RasterOp op) {
    // Every canvas of this platform is a GDI one.
    const auto& from = static_cast<const GdiCanvas&>(source);
    if (!dc_ || !from.dc_) return;
    BitBlt(dc_, dstX, dstY, w, h, from.dc_, srcX, srcY, ropOf(op));
}

void GdiCanvas::fillRect(const Rect& rect, const Brush& brush) {
    if (!dc_) return;
    const RECT r = winRect(rect);
    if (const auto* gdi = dynamic_cast<const GdiBrush*>(&brush)) {
        FillRect(dc_, &r, gdi->handle());
        return;
    }
    // A scaled canvas draws a straight line as a fill of the pen's colour,
    // with a plain brush that holds no GDI object.
    const GdiBrush solid(brush.colour());
    FillRect(dc_, &r, solid.handle());
}

void GdiCanvas::drawLine(int x0, int y0, int x1, int y1, const Pen& pen) {
    if (!dc_) return;
    const HGDIOBJ old = SelectObject(dc_, static_cast<const GdiPen&>(pen).handle());
    MoveToEx(dc_, x0, y0, nullptr);
    LineTo(dc_, x1, y1);
    SelectObject(dc_, old);
}

Colour GdiCanvas::pixel(int x, int y) const {
    return dc_ ? GetPixel(dc_, x, y) : kInvalidColour;
}

void GdiCanvas::setPixel(int x, int y, Colour colour) {
    if (dc_) SetPixel(dc_, x, y, colour);
}

void GdiCanvas::excludeClip(const Rect& rect) {
    if (dc_) ExcludeClipRect(dc_, rect.left, rect.top, rect.right, rect.bottom);
}

void GdiCanvas::removeClip() {
    if (dc_) SelectClipRgn(dc_, nullptr);
}

void GdiCanvas::drawCentredText(std::string_view text, const Rect& rect, Colour colour,
                                const Font& font) {
    if (!dc_) return;
    const HGDIOBJ old = SelectObject(dc_, static_cast<const GdiFont&>(font).handle());
    SetBkMode(dc_, TRANSPARENT);
    SetTextColor(dc_, colour);
    RECT r = winRect(rect);
    DrawTextA(dc_, text.data(), static_cast<int>(text.size()), &r, DT_CENTER | DT_SINGLELINE);
    SelectObject(dc_, old);
}

std::unique_ptr<GdiCanvas> memoryCanvas(HBITMAP bitmap, int width, int height) {
    const HDC screen = GetDC(nullptr);
    const HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    const HGDIOBJ old = SelectObject(dc, bitmap);
    return std::make_unique<GdiCanvas>(dc, width, height, [bitmap, old](HDC used) {
        SelectObject(used, old);
        DeleteDC(used);
        DeleteObject(bitmap);
    });
}

}  // namespace platform::win32
