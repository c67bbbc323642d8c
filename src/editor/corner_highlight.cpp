#include "editor/corner_highlight.h"

#include <cstdint>

namespace velmorin {
namespace {

constexpr std::array<float, kWaveDisplayCount> kLevelStrength{1.0f, 0.9f, 0.8f, 1.0f};

// The low 8 bits of truncate(c x m + a), in single precision.
std::uint8_t blendComponent(std::uint8_t c, float m, float a) {
    const float blended = static_cast<float>(c) * m + a;
    return static_cast<std::uint8_t>(static_cast<int>(blended));
}

}  // namespace

CornerHighlight::CornerHighlight() {
    for (auto& level : multiplier_)
        for (auto& column : level) column.fill(1.0f);
}

CornerHighlight::CornerHighlight(const platform::Canvas& shape) {
    for (int k = 0; k < kWaveDisplayCount; ++k) {
        for (int x = 0; x < kShapeWidth; ++x) {
            for (int y = 0; y < kShapeHeight; ++y) {
                const platform::Colour c = shape.pixel(x, y);
                const int red = c == platform::kInvalidColour ? 0 : platform::redOf(c);
                const float a = static_cast<float>(red) * kLevelStrength[k];
                addend_[k][x][y] = a;
                multiplier_[k][x][y] = (255.0f - a) / 255.0f;
            }
        }
    }
}

void CornerHighlight::apply(platform::Canvas& backdrop, int level) const {
    if (level < 0 || level >= kWaveDisplayCount) return;
    for (int x = 0; x < kBlendWidth; ++x) {
        for (int y = 0; y < kBlendHeight; ++y) {
            const platform::Colour c = backdrop.pixel(x, y);
            if (c == platform::kInvalidColour) continue;
            const float m = multiplier_[level][x][y];
            const float a = addend_[level][x][y];
            backdrop.setPixel(x, y,
                              platform::rgb(blendComponent(platform::redOf(c), m, a),
                                            blendComponent(platform::greenOf(c), m, a),
                                            blendComponent(platform::blueOf(c), m, a)));
        }
    }
}

}  // namespace velmorin
