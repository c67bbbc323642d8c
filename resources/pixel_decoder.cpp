#include <array>

#include "resources/pixel_codec.h"

namespace velmorin::pixel_codec {
namespace {

platform::Colour add(platform::Colour base, int r, int g, int b) {
    return platform::rgb(static_cast<std::uint8_t>(platform::redOf(base) + r),
                         static_cast<std::uint8_t>(platform::greenOf(base) + g),
                         static_cast<std::uint8_t>(platform::blueOf(base) + b));
}

}  // namespace

std::vector<platform::Colour> decode(std::span<const std::uint8_t> stream, int width, int height) {
    const std::size_t count = static_cast<std::size_t>(width) * height;
    std::vector<platform::Colour> pixels(count);
    std::array<platform::Colour, kIndexSize> recent{};
    std::size_t in = 0, out = 0;
    bool truncated = false;
    const auto next = [&]() -> int {
        if (in < stream.size()) return stream[in++];
        truncated = true;
        return 0;
    };
    while (out < count) {
        const int x = static_cast<int>(out % width), y = static_cast<int>(out / width);
        const platform::Colour predicted = predict(pixels.data(), width, x, y);
        const int tag = next();
        if (tag < kSmall) {
            int run = (tag & 0x3F) + 1;
            if (run == kShortRun + 1)
                run = kByteRun + next();
            else if (run == kShortRun + 2) {
                const int low = next();
                run = kWordRun + low + (next() << 8);
            }
            if (truncated) return {};
            // The run's pixels are each predicted from the ones before.
            for (int i = 0; i < run && out < count; ++i, ++out)
                pixels[out] = predict(pixels.data(), width, static_cast<int>(out % width),
                                      static_cast<int>(out / width));
            continue;
        }
        platform::Colour c;
        if (tag < kLuma) {
            c = add(predicted, ((tag >> 4) & 3) - 2, ((tag >> 2) & 3) - 2, (tag & 3) - 2);
        } else if (tag < kIndex) {
            const int g = (tag & 0x3F) - 32, rb = next();
            c = add(predicted, g + (rb >> 4) - 8, g, g + (rb & 15) - 8);
        } else if (tag < kIndex + kIndexSize) {
            c = recent[tag - kIndex];
        } else if (tag == kLiteral) {
            const int r = next(), g = next(), b = next();
            c = add(predicted, r, g, b);
        } else {
            return {};
        }
        if (truncated) return {};
        recent[indexOf(c)] = c;
        pixels[out++] = c;
    }
    return in == stream.size() ? pixels : std::vector<platform::Colour>{};
}

}  // namespace velmorin::pixel_codec
