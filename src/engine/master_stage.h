// The master stage over a run of frames: the look-ahead peak limiter on lane
// 3, output gain, dither and the normalizer.
#pragma once

#include "engine/block_values.h"
#include "engine/dither_noise.h"
#include "engine/engine_state.h"
#include "engine/frame_run.h"

namespace velmorin {

// State the master stage works on during a block; written back at block end.
struct MasterWorkingState {
    LimiterDynamics limiter;
    float outputGain;
};

// Reads the band sum from `bands`; writes each
// frame's band sum and limiter gain into lane 3 of `run`, and adds the
// output's energy to `sums`.
void runMasterStage(LookAheadRings& rings, MasterWorkingState& work, const BlockValues& block,
                    DitherNoise& noise, RingCursor cursor, const DelayedRun& bands, int32_t count,
                    float* outLeft, float* outRight, LaneRun& run, OutputSums& sums);

}  // namespace velmorin
