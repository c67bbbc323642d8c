// Sizes of the wave display surfaces and the places on the skin they are
// built from. Display index: 0 High, 1 Mid, 2 Low, 3 Master.
#pragma once

#include <array>

#include "editor/layout.h"

namespace velmorin {

inline constexpr int kWaveDisplayCount = 4;

// A display as the window shows it; the trace and mask surfaces are one
// column wider so a new column can be drawn right of the visible ones.
inline constexpr int kTraceSurfaceWidth = 123;
inline constexpr int kTraceSurfaceHeight = 128;
inline constexpr int kTraceCentreRow = 64;
// The trace column a tick draws; columns 1 to 122 are what a display shows.
inline constexpr int kNewestTraceColumn = 122;

// The backdrop holds the wave area at its origin and, right of it, the
// unlit gain-reduction strip (the Master strip of the skin, for all four).
inline constexpr int kBackdropWidth = 136;
inline constexpr int kBackdropHeight = 289;
inline constexpr int kBackdropStripColumn = 122;

// The output meter's background.
inline constexpr int kMeterBackdropWidth = 32;
inline constexpr int kMeterBackdropHeight = 289;

}  // namespace velmorin
