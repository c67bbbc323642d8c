// What the last block leaves for meters outside the editor (a host's meter
// ports, its mixer strip): that block's own extremes, not merged with earlier
// ones, and each lane's gain at its last frame. Written by the audio thread at
// block end and read by the format adapter on the same thread after process,
// so it is plain data: copying it is the whole cost on the audio path.
#pragma once

#include "engine/display_feed.h"

namespace velmorin {

struct BlockMeters {
    LaneExtremes extremes;                                 // zeros: silence, no reduction
    float lastGain[kNumLanes] = {1.0f, 1.0f, 1.0f, 1.0f};  // High, Mid, Low, limiter
};

}  // namespace velmorin
