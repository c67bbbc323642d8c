// A band compressor's new reduction: it sets the target, and a release whose
// speed depends on how deep and how loud the reduction was, and starts an
// attack that is instant or smoothed. The frame-by-frame dynamics of the
// three bands are in compressor_lanes.h.
#pragma once

#include "engine/block_values.h"
#include "engine/engine_state.h"

namespace velmorin {

// The dynamics of a single band.
struct OneBandDynamics {
    float gain, target;
    int32_t phase;
    float releaseRate, releaseStep;
};

// A new, deeper reduction with peak `peak` and curve gain `gain`: rare and
// costly, so kept out of the frame loop.
OneBandDynamics startAttack(OneBandDynamics dynamics, const BandSettings& settings,
                            const BlockValues& block, float peak, float gain);

}  // namespace velmorin
