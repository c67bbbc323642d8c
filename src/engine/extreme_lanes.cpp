#include "engine/extreme_lanes.h"

namespace velmorin {
namespace {

using Field = float WaveExtremes::*;

__m128 gather(const LaneExtremes& e, Field field) {
    return lanes::ofBands(e.lane[0].*field, e.lane[1].*field, e.lane[2].*field, 0.0f);
}

void scatter(__m128 v, LaneExtremes& e, Field field) {
    float bands[kNumBands];
    lanes::toBands(v, bands);
    for (int32_t b = 0; b < kNumBands; ++b) e.lane[b].*field = bands[b];
}

}  // namespace

ExtremeLanes::ExtremeLanes(const LaneExtremes& e)
    : maxLeft_(gather(e, &WaveExtremes::maxLeft)),
      minLeft_(gather(e, &WaveExtremes::minLeft)),
      maxRight_(gather(e, &WaveExtremes::maxRight)),
      minRight_(gather(e, &WaveExtremes::minRight)),
      gainAtMaxLeft_(gather(e, &WaveExtremes::gainAtMaxLeft)),
      gainAtMinLeft_(gather(e, &WaveExtremes::gainAtMinLeft)),
      gainAtMaxRight_(gather(e, &WaveExtremes::gainAtMaxRight)),
      gainAtMinRight_(gather(e, &WaveExtremes::gainAtMinRight)) {}

void ExtremeLanes::store(LaneExtremes& e) const {
    scatter(maxLeft_, e, &WaveExtremes::maxLeft);
    scatter(minLeft_, e, &WaveExtremes::minLeft);
    scatter(maxRight_, e, &WaveExtremes::maxRight);
    scatter(minRight_, e, &WaveExtremes::minRight);
    scatter(gainAtMaxLeft_, e, &WaveExtremes::gainAtMaxLeft);
    scatter(gainAtMinLeft_, e, &WaveExtremes::gainAtMinLeft);
    scatter(gainAtMaxRight_, e, &WaveExtremes::gainAtMaxRight);
    scatter(gainAtMinRight_, e, &WaveExtremes::gainAtMinRight);
}

}  // namespace velmorin
