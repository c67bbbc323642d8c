#include <array>

#include "resources/pixel_codec.h"

namespace velmorin::pixel_codec {
namespace {

void putRun(std::vector<std::uint8_t>& out, int run) {
    if (run <= kShortRun) {
        out.push_back(static_cast<std::uint8_t>(kRun | (run - 1)));
    } else if (run < kWordRun) {
        out.push_back(kRun | kShortRun);
        out.push_back(static_cast<std::uint8_t>(run - kByteRun));
    } else {
        out.push_back(kRun | (kShortRun + 1));
        out.push_back(static_cast<std::uint8_t>((run - kWordRun) & 0xFF));
        out.push_back(static_cast<std::uint8_t>((run - kWordRun) >> 8));
    }
}

// A channel's residual as -128..127.
int residual(std::uint8_t actual, std::uint8_t predicted) {
    return static_cast<std::int8_t>(static_cast<std::uint8_t>(actual - predicted));
}

}  // namespace

std::vector<std::uint8_t> encode(std::span<const platform::Colour> pixels, int width, int height) {
    std::vector<std::uint8_t> out;
    std::array<platform::Colour, kIndexSize> recent{};
    int run = 0;
    const std::size_t count = static_cast<std::size_t>(width) * height;
    for (std::size_t i = 0; i < count; ++i) {
        const platform::Colour c = pixels[i];
        const platform::Colour predicted =
            predict(pixels.data(), width, static_cast<int>(i % width), static_cast<int>(i / width));
        if (c == predicted) {
            if (++run == kLongestRun) {
                putRun(out, run);
                run = 0;
            }
            continue;
        }
        if (run > 0) putRun(out, run);
        run = 0;
        const int r = residual(platform::redOf(c), platform::redOf(predicted));
        const int g = residual(platform::greenOf(c), platform::greenOf(predicted));
        const int b = residual(platform::blueOf(c), platform::blueOf(predicted));
        const int slot = indexOf(c);
        if (r >= -2 && r <= 1 && g >= -2 && g <= 1 && b >= -2 && b <= 1) {
            out.push_back(
                static_cast<std::uint8_t>(kSmall | (r + 2) << 4 | (g + 2) << 2 | (b + 2)));
        } else if (recent[slot] == c) {
            out.push_back(static_cast<std::uint8_t>(kIndex + slot));
        } else if (g >= -32 && g <= 31 && r - g >= -8 && r - g <= 7 && b - g >= -8 && b - g <= 7) {
            out.push_back(static_cast<std::uint8_t>(kLuma | (g + 32)));
            out.push_back(static_cast<std::uint8_t>((r - g + 8) << 4 | (b - g + 8)));
        } else {
            out.push_back(kLiteral);
            for (int v : {r, g, b}) out.push_back(static_cast<std::uint8_t>(v));
        }
        recent[slot] = c;
    }
    if (run > 0) putRun(out, run);
    return out;
}

}  // namespace velmorin::pixel_codec
