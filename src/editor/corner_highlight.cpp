#include "editor/corner_highlight.h"

#include <array>
#include <cstdint>

#include "platform/scaled_canvas.h"

namespace velmorin {
namespace {

constexpr std::array<float, kWaveDisplayCount> kLevelStrength{1.0f, 0.9f, 0.8f, 1.0f};

// The low 8 bits of truncate(c x m + a), in single precision.
std::uint8_t blendComponent(std::uint8_t c, float m, float a) {
    const float blended = static_cast<float>(c) * m + a;
    return static_cast<std::uint8_t>(static_cast<int>(blended));
}

}  // namespace

CornerHighlight::CornerHighlight()
    : addend_(kWaveDisplayCount * kShapeWidth * kShapeHeight, 0.0f),
      multiplier_(addend_.size(), 1.0f) {}

CornerHighlight::CornerHighlight(const platform::Canvas& shape)
    : scale_(platform::scaleOf(shape)),
      width_(scale_.device(kShapeWidth)),
      height_(scale_.device(kShapeHeight)),
      addend_(static_cast<std::size_t>(kWaveDisplayCount) * width_ * height_),
      multiplier_(addend_.size()) {
    const platform::Canvas& pixels = platform::devicePixels(shape);
    for (int k = 0; k < kWaveDisplayCount; ++k) {
        for (int x = 0; x < width_; ++x) {
            for (int y = 0; y < height_; ++y) {
                const platform::Colour c = pixels.pixel(x, y);
                const int red = c == platform::kInvalidColour ? 0 : platform::redOf(c);
                const float a = static_cast<float>(red) * kLevelStrength[k];
                addend_[at(k, x, y)] = a;
                multiplier_[at(k, x, y)] = (255.0f - a) / 255.0f;
            }
        }
    }
}

void CornerHighlight::apply(platform::Canvas& backdrop, int level) const {
    if (level < 0 || level >= kWaveDisplayCount) return;
    platform::Canvas& pixels = platform::devicePixels(backdrop);
    const int width = scale_.device(kBlendWidth);
    const int height = scale_.device(kBlendHeight);
    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < height; ++y) {
            const platform::Colour c = pixels.pixel(x, y);
            if (c == platform::kInvalidColour) continue;
            const float m = multiplier_[at(level, x, y)];
            const float a = addend_[at(level, x, y)];
            pixels.setPixel(x, y,
                            platform::rgb(blendComponent(platform::redOf(c), m, a),
                                          blendComponent(platform::greenOf(c), m, a),
                                          blendComponent(platform::blueOf(c), m, a)));
        }
    }
}

}  // namespace velmorin
