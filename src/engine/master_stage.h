// The master stage of one frame: band sum with the Mix levels, the look-ahead
// peak limiter on lane 3, output gain, dither and the normalizer.
#pragma once

#include "engine/block_values.h"
#include "engine/dither_noise.h"
#include "engine/engine_state.h"

namespace velmorin {

struct MasterFrame {
    float sumLeft, sumRight;  // band sum before the limiter
    float limiterGain;        // the gain computed for this frame
    float outLeft, outRight;  // what is written to the host
};

// State the master stage works on during a block; written back at block end.
struct MasterWorkingState {
    LimiterDynamics limiter;
    float outputGain;
};

MasterFrame runMasterStage(LookAheadRings& rings, MasterWorkingState& work,
                           const BlockValues& block, DitherNoise& noise, int32_t readPos,
                           int32_t writePos);

}  // namespace velmorin
