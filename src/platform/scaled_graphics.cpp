#include "platform/scaled_graphics.h"

#include "platform/scaled_canvas.h"

namespace platform {
namespace {

// The logical length a device length was drawn for: the nearest whole one,
// which is exact because scales are at least 1.
int logicalLength(Scale scale, int device) {
    return (device * 8 + scale.quarters()) / (2 * scale.quarters());
}

}  // namespace

std::unique_ptr<Canvas> ScaledGraphics::createSurface(int width, int height) {
    return std::make_unique<ScaledCanvas>(
        device_.createSurface(scale_.device(width), scale_.device(height)), scale_, width, height);
}

std::unique_ptr<Canvas> ScaledGraphics::loadBitmap(int id) {
    std::unique_ptr<Canvas> bitmap = device_.loadBitmap(id);
    if (!bitmap) return nullptr;
    const int width = logicalLength(scale_, bitmap->width());
    const int height = logicalLength(scale_, bitmap->height());
    return std::make_unique<ScaledCanvas>(std::move(bitmap), scale_, width, height);
}

std::unique_ptr<Font> ScaledGraphics::createFont(const FontRequest& request) {
    FontRequest scaled = request;
    scaled.height = scale_.device(request.height);
    scaled.width = scale_.device(request.width);
    return device_.createFont(scaled);
}

}  // namespace platform
