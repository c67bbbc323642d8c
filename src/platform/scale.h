// How many device pixels the editor's logical pixels become: 1.0 to 3.0 in
// quarter steps. Whole quarters keep the rounding exact, so the build tools
// that draw the artwork and the canvas that places it agree on every edge.
#pragma once

#include <array>
#include <optional>

namespace platform {

class Scale {
  public:
    constexpr Scale() = default;
    static constexpr Scale ofQuarters(int quarters) { return Scale(quarters); }

    constexpr int quarters() const { return quarters_; }
    constexpr double factor() const { return quarters_ / 4.0; }
    constexpr int percent() const { return quarters_ * 25; }
    constexpr bool isIdentity() const { return quarters_ == 4; }

    // The device edge of a logical edge: x times the scale, halves rounded
    // up. Edges, not pixels, are mapped, so neighbouring rectangles meet.
    constexpr int device(int logical) const {
        const int twice = logical * quarters_ * 2 + 4;  // 8 (x s + 1/2)
        return twice >= 0 ? twice / 8 : -((-twice + 7) / 8);
    }
    // The logical pixel whose cell holds a device pixel.
    constexpr int logical(int device) const {
        const int guess = device * 4 / quarters_;
        int x = guess - 2;
        while (this->device(x + 1) <= device) ++x;
        return x;
    }
    // Whether a shift by this many logical pixels moves every device edge
    // by the same whole number of device pixels.
    constexpr bool shiftsWhole(int logical) const { return logical * quarters_ % 4 == 0; }

    friend constexpr bool operator==(Scale, Scale) = default;

  private:
    constexpr explicit Scale(int quarters) : quarters_(quarters) {}
    int quarters_ = 4;
};

// The scales the editor offers.
inline constexpr std::array<Scale, 7> kEditorScales{
    Scale::ofQuarters(4), Scale::ofQuarters(5),  Scale::ofQuarters(6), Scale::ofQuarters(7),
    Scale::ofQuarters(8), Scale::ofQuarters(10), Scale::ofQuarters(12)};

// One of the editor's scales by its factor (1.5, 2), or none.
inline std::optional<Scale> editorScaleOf(double factor) {
    for (Scale s : kEditorScales)
        if (factor * 4 == s.quarters()) return s;
    return std::nullopt;
}

}  // namespace platform
