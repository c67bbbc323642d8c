// Input DC removal and the three-way crossover over a run of frames: the
// band signals the compressors work on.
#pragma once

#include "engine/block_values.h"
#include "engine/frame_run.h"

namespace velmorin {

void splitIntoBands(const BlockValues& block, DcTracker& dc, CrossoverState& crossover,
                    const float* inLeft, const float* inRight, int32_t count, LaneRun& out);

}  // namespace velmorin
