#include "engine/extreme_lanes.h"

namespace velmorin {
namespace {

using Field = float WaveExtremes::*;

__m128 gather(const LaneExtremes& e, Field field) {
    return _mm_setr_ps(e.lane[0].*field, e.lane[1].*field, e.lane[2].*field, e.lane[3].*field);
}

void scatter(__m128 v, LaneExtremes& e, Field field) {
    alignas(16) float all[kNumLanes];
    _mm_store_ps(all, v);
    for (int32_t lane = 0; lane < kNumLanes; ++lane) e.lane[lane].*field = all[lane];
}

}  // namespace

ExtremeLanes::ExtremeLanes(const LaneExtremes& e)
    : kept_{gather(e, &WaveExtremes::maxLeft),        gather(e, &WaveExtremes::minLeft),
            gather(e, &WaveExtremes::maxRight),       gather(e, &WaveExtremes::minRight),
            gather(e, &WaveExtremes::gainAtMaxLeft),  gather(e, &WaveExtremes::gainAtMinLeft),
            gather(e, &WaveExtremes::gainAtMaxRight), gather(e, &WaveExtremes::gainAtMinRight)} {}

void ExtremeLanes::store(LaneExtremes& e) const {
    scatter(kept_.maxLeft, e, &WaveExtremes::maxLeft);
    scatter(kept_.minLeft, e, &WaveExtremes::minLeft);
    scatter(kept_.maxRight, e, &WaveExtremes::maxRight);
    scatter(kept_.minRight, e, &WaveExtremes::minRight);
    scatter(kept_.gainAtMaxLeft, e, &WaveExtremes::gainAtMaxLeft);
    scatter(kept_.gainAtMinLeft, e, &WaveExtremes::gainAtMinLeft);
    scatter(kept_.gainAtMaxRight, e, &WaveExtremes::gainAtMaxRight);
    scatter(kept_.gainAtMinRight, e, &WaveExtremes::gainAtMinRight);
}

}  // namespace velmorin
