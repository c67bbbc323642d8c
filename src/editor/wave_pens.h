// What the wave displays are drawn with: each display's own pens, coloured by
// the colour scheme, and the editor's shared black and white.
#pragma once

#include <array>
#include <memory>

#include "editor/wave_geometry.h"
#include "platform/drawing_objects.h"

namespace velmorin {

enum WavePenRole : int {
    kOuterTracePen = 0,  // extremes before the band's gain; also cut into the mask
    kInnerTracePen = 1,  // extremes after the gain
    kThresholdPen = 2,
    kWavePenRoles = 3,
};

// One display's pens by role, and all of them by display; a missing pen draws
// nothing.
using DisplayPens = std::array<std::unique_ptr<platform::Pen>, kWavePenRoles>;
using WavePens = std::array<DisplayPens, kWaveDisplayCount>;

// The shared objects that clear trace and mask surfaces and cut traces into
// the mask.
struct SurfaceInks {
    const platform::Brush& blackBrush;
    const platform::Brush& whiteBrush;
    const platform::Pen& blackPen;
};

}  // namespace velmorin
