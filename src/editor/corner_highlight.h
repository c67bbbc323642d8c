// The white highlight laid over the top-left corner of each wave display,
// precomputed from the highlight shape bitmap so that a tick blends it with
// one multiply and one add per colour component.
#pragma once

#include <array>

#include "editor/wave_geometry.h"
#include "platform/canvas.h"

namespace velmorin {

class CornerHighlight {
  public:
    static constexpr int kShapeWidth = 44;
    static constexpr int kShapeHeight = 18;
    // The part of the shape that is blended.
    static constexpr int kBlendWidth = 42;
    static constexpr int kBlendHeight = 16;

    // No highlight: every pixel keeps its colour. Used when the shape
    // bitmap is missing.
    CornerHighlight();
    // Tables from the red channel of the shape; a pixel the canvas cannot
    // read counts as black.
    explicit CornerHighlight(const platform::Canvas& shape);

    // Level g serves display g; the strength falls off from High to Low.
    // Level 0 to 3, x below 44, y below 18.
    float addend(int level, int x, int y) const { return addend_[level][x][y]; }
    float multiplier(int level, int x, int y) const { return multiplier_[level][x][y]; }

    // Blends the corner of a backdrop with the tables of a level; an unknown
    // level or an unreadable pixel is left alone.
    void apply(platform::Canvas& backdrop, int level) const;

  private:
    using Table =
        std::array<std::array<std::array<float, kShapeHeight>, kShapeWidth>, kWaveDisplayCount>;
    Table addend_{};
    Table multiplier_{};
};

}  // namespace velmorin
