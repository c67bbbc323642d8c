// The white highlight laid over the top-left corner of each wave display,
// precomputed from the highlight shape bitmap so that a tick blends it with
// one multiply and one add per colour component. At a scale the shape is
// drawn finer, and the blend works on the device pixels too.
#pragma once

#include <cstddef>
#include <vector>

#include "editor/wave_geometry.h"
#include "platform/canvas.h"
#include "platform/scale.h"

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
    // Level 0 to 3; x and y in device pixels, below 44 and 18 at 1.0.
    float addend(int level, int x, int y) const { return addend_[at(level, x, y)]; }
    float multiplier(int level, int x, int y) const { return multiplier_[at(level, x, y)]; }

    // Blends the corner of a backdrop with the tables of a level; an unknown
    // level or an unreadable pixel is left alone.
    void apply(platform::Canvas& backdrop, int level) const;

  private:
    std::size_t at(int level, int x, int y) const {
        return (static_cast<std::size_t>(level) * width_ + x) * height_ + y;
    }

    platform::Scale scale_;
    int width_ = kShapeWidth;  // device pixels of the shape
    int height_ = kShapeHeight;
    std::vector<float> addend_;
    std::vector<float> multiplier_;
};

}  // namespace velmorin
