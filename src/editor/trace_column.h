// One column of a wave display: its outer and inner trace lines on the trace
// surface and the outer line cut into the mask.
#pragma once

#include <cstdint>

#include "editor/wave_column_ring.h"
#include "editor/wave_pens.h"
#include "platform/canvas.h"

namespace velmorin {

// Draws a column's lines into column x of a display's trace and mask
// surfaces at a zoom: the outer pair with the display's outer pen on the trace
// and with `maskPen` on the mask, then the inner pair with its inner pen on
// the trace only.
void drawTraceColumn(platform::Canvas& trace, platform::Canvas& mask, int x,
                     const WaveColumn& column, int32_t zoom, const DisplayPens& pens,
                     const platform::Pen& maskPen);

}  // namespace velmorin
