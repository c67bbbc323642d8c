// Colours as the editor names them: RGB(red, green, blue), packed the way the
// Windows graphics calls take and return them (red in the low byte), so a
// value read back from a pixel compares equal to the value written.
#pragma once

#include <cstdint>

namespace platform {

using Colour = std::uint32_t;

// What a pixel read answers for a point outside the surface or its clip.
inline constexpr Colour kInvalidColour = 0xFFFFFFFFu;

constexpr Colour rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return Colour{red} | (Colour{green} << 8) | (Colour{blue} << 16);
}
constexpr std::uint8_t redOf(Colour c) {
    return static_cast<std::uint8_t>(c);
}
constexpr std::uint8_t greenOf(Colour c) {
    return static_cast<std::uint8_t>(c >> 8);
}
constexpr std::uint8_t blueOf(Colour c) {
    return static_cast<std::uint8_t>(c >> 16);
}

}  // namespace platform
