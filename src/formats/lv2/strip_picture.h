// The picture a host shows of the plug-in in its mixer strip: the gain
// reduction of High, Mid, Low and the limiter and the output level as
// horizontal bars, one row each, in the editor's meter colours.
#pragma once

#include "engine/meter_figures.h"
#include "platform/soft/pixel_buffer.h"

namespace velmorin::lv2 {

// Rows top to bottom: High, Mid, Low, limiter, output.
inline constexpr int kStripRows = 5;
// The bars' spans: the editor's gain strips reach about 12 dB, its output
// meter -21 to +6 dBFS.
inline constexpr float kStripReductionSpanDb = 12.0f;
inline constexpr float kStripOutputBottomDb = -21.0f;
inline constexpr float kStripOutputTopDb = 6.0f;

// Paints the whole of `pixels`, any size. The output bar shows the louder
// channel's peak.
void paintStripPicture(const MeterFigures& figures, platform::PixelBuffer& pixels);

}  // namespace velmorin::lv2
