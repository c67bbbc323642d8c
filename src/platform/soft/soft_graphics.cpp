#include "platform/soft/soft_graphics.h"

#include <algorithm>
#include <cstdlib>
#include <tuple>

#include "platform/soft/soft_canvas.h"

namespace platform {

std::unique_ptr<Canvas> SoftGraphics::createSurface(int width, int height) {
    return std::make_unique<SoftCanvas>(std::make_shared<PixelBuffer>(width, height));
}

std::unique_ptr<Canvas> SoftGraphics::loadBitmap(int id) {
    const BitmapImage* image = bitmaps_ ? bitmaps_(id) : nullptr;
    if (!image || image->width <= 0 || image->height <= 0 ||
        image->pixels.size() != static_cast<std::size_t>(image->width) * image->height)
        return nullptr;
    auto buffer = std::make_shared<PixelBuffer>(image->width, image->height);
    std::copy(image->pixels.begin(), image->pixels.end(), buffer->pixels.begin());
    return std::make_unique<SoftCanvas>(std::move(buffer));
}

std::unique_ptr<Pen> SoftGraphics::createPen(Colour colour) {
    return std::make_unique<Pen>(colour);
}

std::unique_ptr<Brush> SoftGraphics::createBrush(Colour colour) {
    return std::make_unique<Brush>(colour);
}

std::unique_ptr<Font> SoftGraphics::createFont(const FontRequest& request) {
    const auto sets = compiledGlyphSets();
    if (sets.empty()) return nullptr;
    const auto distance = [&request](const GlyphSet* set) {
        return std::make_tuple(std::abs(set->height - request.height),
                               std::abs(set->width - request.width),
                               std::abs(set->weight - request.weight));
    };
    const GlyphSet* best = *std::min_element(
        sets.begin(), sets.end(),
        [&distance](const GlyphSet* a, const GlyphSet* b) { return distance(a) < distance(b); });
    return std::make_unique<SoftFont>(request, unpackedGlyphSet(*best));
}

}  // namespace platform
