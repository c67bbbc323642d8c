// The band compressors over a run of frames: each frame's gain goes with the
// band's samples into its look-ahead ring, and what leaves the ring is handed
// to the master stage.
#pragma once

#include "engine/block_values.h"
#include "engine/frame_run.h"

namespace velmorin {

// Reads the bands' samples from `run` and writes their gains there.
void runBandStage(BandDynamics& dynamics, LookAheadRings& rings, const BlockValues& block,
                  RingCursor cursor, LaneRun& run, int32_t count, DelayedRun& out);

}  // namespace velmorin
