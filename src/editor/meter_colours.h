// The meters' colour scales: the output meter's by level, the gain-reduction
// strips' by depth, and the dim shade of a segment that is not lit. The
// artwork paints the editor's meters with them, the LV2 inline display its
// bars, so both show one scale.
#pragma once

#include <algorithm>
#include <cstdint>

namespace velmorin::meter_colours {

struct Rgb {
    double r, g, b;  // 0 to 1
};

constexpr Rgb toRgb(uint32_t hex) {
    return {((hex >> 16) & 0xFF) / 255.0, ((hex >> 8) & 0xFF) / 255.0, (hex & 0xFF) / 255.0};
}

inline Rgb mix(Rgb a, Rgb b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

inline constexpr uint32_t kMeterBackground = 0x07080A;  // behind the bars, and their gaps

// An output level in dB relative to full scale.
inline Rgb outputColour(double db) {
    const Rgb green = toRgb(0x3FC97A), lime = toRgb(0x9AD85A), amber = toRgb(0xF2C14E),
              red = toRgb(0xF0574A);
    if (db > 0) return red;
    if (db > -6) return mix(lime, amber, (db + 6) / 6);
    return mix(toRgb(0x2E9A5E), green, (db + 21) / 15);
}

// A gain reduction in dB, 0 or more.
inline Rgb reductionColour(double db) {
    const Rgb yellow = toRgb(0xF4D35E), orange = toRgb(0xF39C38), red = toRgb(0xE8553F);
    return db < 6 ? mix(yellow, orange, db / 6) : mix(orange, red, (db - 6) / 6);
}

// A segment of that colour while it is not lit.
inline Rgb unlit(Rgb colour) {
    return mix(toRgb(0x0B0D10), colour, 0.17);
}

}  // namespace velmorin::meter_colours
