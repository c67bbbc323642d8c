#include "editor/trace_column.h"

#include <algorithm>

namespace velmorin {
namespace {

// Draws the rows of a trace line in column x. End points far outside the
// surface are first brought to just outside it: the pixels drawn stay the
// same, but a far-off zoom cannot make a line millions of pixels long.
void drawTraceLine(platform::Canvas& canvas, int x, TraceRows rows, const platform::Pen* pen) {
    if (!pen) return;
    const int beyond = canvas.height();
    canvas.drawLine(x, std::clamp(rows.start, -1, beyond), x, std::clamp(rows.end, -1, beyond),
                    *pen);
}

}  // namespace

void drawTraceColumn(platform::Canvas& trace, platform::Canvas& mask, int x,
                     const WaveColumn& column, int32_t zoom, const DisplayPens& pens,
                     const platform::Pen& maskPen) {
    const TraceRows outer = traceRows(column.outerTop, column.outerBottom, zoom);
    drawTraceLine(trace, x, outer, pens[kOuterTracePen].get());
    drawTraceLine(mask, x, outer, &maskPen);
    const TraceRows inner = traceRows(column.innerTop, column.innerBottom, zoom);
    drawTraceLine(trace, x, inner, pens[kInnerTracePen].get());
}

}  // namespace velmorin
