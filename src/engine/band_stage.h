// The band compressors over a run of frames: each frame's gain goes with the
// band's samples into its look-ahead ring, and what leaves the ring is handed
// to the master stage.
#pragma once

#include "engine/block_values.h"
#include "engine/display_feed.h"
#include "engine/frame_run.h"

namespace velmorin {

void runBandStage(BandDynamics& dynamics, LookAheadRings& rings, const BlockValues& block,
                  RingCursor cursor, const SplitRun& in, int32_t count, DelayedRun& out,
                  LaneExtremes& extremes);

}  // namespace velmorin
