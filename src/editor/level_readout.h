// The output level read-out: the RMS of the louder output channel since the
// read-out was last cleared, in decibels where a full-scale sine reads 0.0.
#pragma once

#include <string>
#include <string_view>

#include "editor/shared_drawing.h"
#include "engine/display_feed.h"
#include "platform/canvas.h"

namespace velmorin {

// A repaint shows levels down to here; the periodic read-out stops at -99.9.
inline constexpr float kPaintedReadoutFloorDb = -99.999f;
inline constexpr float kTickReadoutFloorDb = -99.9f;

// "-INF" without samples, without energy, below `floorDb` or for a level
// that is not a number; otherwise the level with one decimal.
std::string levelReadoutText(const OutputSums& sums, float floorDb);

// Restores the read-out's skin block in the window and centres the text in
// it, in white.
void drawLevelReadout(platform::Canvas& window, std::string_view text, const SharedDrawing& shared);

}  // namespace velmorin
