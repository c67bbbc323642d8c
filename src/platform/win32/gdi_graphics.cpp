#include "platform/win32/gdi_graphics.h"

#include "platform/win32/gdi_canvas.h"
#include "platform/win32/gdi_objects.h"
#include "platform/win32/module_instance.h"

namespace platform::win32 {

std::unique_ptr<Canvas> GdiGraphics::createSurface(int width, int height) {
    const HDC screen = GetDC(nullptr);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);  // starts black
    ReleaseDC(nullptr, screen);
    if (!bitmap) return std::make_unique<GdiCanvas>(nullptr, 0, 0, nullptr);
    return memoryCanvas(bitmap, width, height);
}

std::unique_ptr<Canvas> GdiGraphics::loadBitmap(int id) {
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
