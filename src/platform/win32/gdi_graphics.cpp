#include "platform/win32/gdi_graphics.h"

#include <cstdint>
#include <vector>

#include "platform/win32/gdi_canvas.h"
#include "platform/win32/gdi_objects.h"
#include "platform/win32/module_instance.h"

namespace platform::win32 {
namespace {

// A bitmap of the screen's format holding the image: blits from it then
// behave as blits from a loaded resource do.
HBITMAP screenBitmapOf(const BitmapImage& image) {
    // Colours keep red in the low byte; a 32-bit DIB keeps blue there.
    std::vector<std::uint32_t> bgr(image.pixels.size());
    for (std::size_t i = 0; i < bgr.size(); ++i) {
        const Colour c = image.pixels[i];
        bgr[i] = std::uint32_t{blueOf(c)} | std::uint32_t{greenOf(c)} << 8 |
                 std::uint32_t{redOf(c)} << 16;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = -image.height;  // rows from the top
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    const HDC screen = GetDC(nullptr);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, image.width, image.height);
    if (bitmap)
        SetDIBits(screen, bitmap, 0, static_cast<UINT>(image.height), bgr.data(), &info,
                  DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

}  // namespace

std::unique_ptr<Canvas> GdiGraphics::createSurface(int width, int height) {
    const HDC screen = GetDC(nullptr);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);  // starts black
    ReleaseDC(nullptr, screen);
    if (!bitmap) return std::make_unique<GdiCanvas>(nullptr, 0, 0, nullptr);
    return memoryCanvas(bitmap, width, height);
}

std::unique_ptr<Canvas> GdiGraphics::loadBitmap(int id) {
    if (bitmaps_) {
        const BitmapImage* image = bitmaps_(id);
        const HBITMAP bitmap = image ? screenBitmapOf(*image) : nullptr;
        if (!bitmap) return nullptr;
        return memoryCanvas(bitmap, image->width, image->height);
    }
    const HBITMAP bitmap = LoadBitmapA(moduleInstance(), MAKEINTRESOURCEA(id));
    if (!bitmap) return nullptr;
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    return memoryCanvas(bitmap, info.bmWidth, info.bmHeight);
}

std::unique_ptr<Pen> GdiGraphics::createPen(Colour colour) {
    return std::make_unique<GdiPen>(colour);
}

std::unique_ptr<Brush> GdiGraphics::createBrush(Colour colour) {
    return std::make_unique<GdiBrush>(colour);
}

std::unique_ptr<Font> GdiGraphics::createFont(const FontRequest& request) {
    return std::make_unique<GdiFont>(request);
}

}  // namespace platform::win32
