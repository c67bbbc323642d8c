// The output level read-out: the RMS of the louder output channel since the
// read-out was last cleared, in decibels where a full-scale sine reads 0.0.
#pragma once

#include <string>

#include "engine/display_feed.h"

namespace velmorin {

// A repaint shows levels down to here; the periodic read-out stops at -99.9.
inline constexpr float kPaintedReadoutFloorDb = -99.999f;

// "-INF" without samples, without energy, below `floorDb` or for a level
// that is not a number; otherwise the level with one decimal.
std::string levelReadoutText(const OutputSums& sums, float floorDb);

}  // namespace velmorin
