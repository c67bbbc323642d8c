// A small lossless codec for the artwork drawn at the larger scales, so the
// plug-in carries them compactly and decodes one scale when an editor first
// opens at it. Each pixel is predicted from its left, upper and upper-left
// neighbours (the median edge predictor: flat areas, gradients and edges
// come out nearly exact); the stream then holds, byte-oriented:
//   00nnnnnn            a run of exactly predicted pixels
//   01rrggbb            residuals of -2..1 per channel
//   10gggggg rrrrbbbb   green residual -32..31, red and blue within -8..7 of it
//   11iiiiii            (i < 62) a colour seen recently, by its hash
//   11111110 r g b      any residual
#pragma once

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/colour.h"

namespace velmorin::pixel_codec {

inline constexpr std::uint8_t kRun = 0x00;
inline constexpr std::uint8_t kSmall = 0x40;
inline constexpr std::uint8_t kLuma = 0x80;
inline constexpr std::uint8_t kIndex = 0xC0;
inline constexpr std::uint8_t kLiteral = 0xFE;
inline constexpr int kIndexSize = 62;
// Run lengths: 1..62 in the tag, then one or two bytes more.
inline constexpr int kShortRun = 62;
inline constexpr int kByteRun = kShortRun + 1;   // tag 62: 63 + byte
inline constexpr int kWordRun = kByteRun + 256;  // tag 63: 319 + 16 bits
inline constexpr int kLongestRun = kWordRun + 0xFFFF;

inline int indexOf(platform::Colour c) {
    return (platform::redOf(c) * 3 + platform::greenOf(c) * 5 + platform::blueOf(c) * 7) %
           kIndexSize;
}

// The prediction of one channel from left a, above b and upper-left c.
inline std::uint8_t predictChannel(int a, int b, int c) {
    if (c >= std::max(a, b)) return static_cast<std::uint8_t>(std::min(a, b));
    if (c <= std::min(a, b)) return static_cast<std::uint8_t>(std::max(a, b));
    return static_cast<std::uint8_t>(a + b - c);
}

// The prediction of pixel (x, y) from the pixels before it, row by row.
inline platform::Colour predict(const platform::Colour* pixels, int width, int x, int y) {
    if (y == 0) return x == 0 ? 0 : pixels[x - 1];
    const platform::Colour up = pixels[(y - 1) * width + x];
    if (x == 0) return up;
    const platform::Colour left = pixels[y * width + x - 1];
    const platform::Colour corner = pixels[(y - 1) * width + x - 1];
    return platform::rgb(
        predictChannel(platform::redOf(left), platform::redOf(up), platform::redOf(corner)),
        predictChannel(platform::greenOf(left), platform::greenOf(up), platform::greenOf(corner)),
        predictChannel(platform::blueOf(left), platform::blueOf(up), platform::blueOf(corner)));
}

// Build tool side.
std::vector<std::uint8_t> encode(std::span<const platform::Colour> pixels, int width, int height);
// Plug-in side: the width x height pixels, or none when the stream is not
// one the encoder wrote for that size.
std::vector<platform::Colour> decode(std::span<const std::uint8_t> stream, int width, int height);

}  // namespace velmorin::pixel_codec
