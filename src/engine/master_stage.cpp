#include "engine/master_stage.h"

#include <algorithm>
#include <cmath>

#include "engine/look_ahead_ramp.h"

namespace velmorin {
namespace {

// Rectangular noise two 16-bit steps wide, slightly offset from zero.
constexpr float kDitherScale = 1.194e-7f;
constexpr float kDitherOffset = 2.2885e-5f;

float bandSum(const LookAheadRings& rings, const float (&samples)[kNumLanes][kRingCapacity],
              const BlockValues& block, int32_t r) {
    return (block.mixGain[0] * samples[0][r] * rings.gain[0][r] +
            block.mixGain[1] * samples[1][r] * rings.gain[1][r]) +
           block.mixGain[2] * samples[2][r] * rings.gain[2][r];
}

void runLimiter(LimiterDynamics& lim, const BlockValues& block, float peak) {
    const float tl = block.limiterThreshold;
    if (peak > tl && lim.step + lim.gain > tl / peak) {
        const float gain = tl / peak;
        lim.gain = gain;
        lim.step = 0.0f;
        lim.releaseRate =
            (1.0f - gain) / (std::log10(peak * 32.768f + 1.0f) * block.limiterReleaseScale) +
            (gain + 1.0f) * 4.25e-5f;
    }
    if (lim.gain < 1.0f) {
        lim.gain = lim.gain + lim.step;
        lim.step = lim.releaseRate - lim.gain * 8.5e-5f;
    } else {
        lim.gain = 1.0f;
    }
}

float applyOutputGain(float sample, float outputGain, bool dither, DitherNoise& noise) {
    if (!dither) return sample * outputGain;
    return (static_cast<float>(noise.next() % 512) * kDitherScale + sample * outputGain) -
           kDitherOffset;
}

}  // namespace

MasterFrame runMasterStage(LookAheadRings& rings, MasterWorkingState& work,
                           const BlockValues& block, DitherNoise& noise, int32_t readPos,
                           int32_t writePos) {
    MasterFrame f;
    f.sumLeft = bandSum(rings, rings.left, block, readPos);
    f.sumRight = bandSum(rings, rings.right, block, readPos);
    runLimiter(work.limiter, block, std::max(std::fabs(f.sumLeft), std::fabs(f.sumRight)));
    f.limiterGain = work.limiter.gain;

    rings.left[kMasterLane][writePos] = f.sumLeft;
    rings.right[kMasterLane][writePos] = f.sumRight;
    rings.gain[kMasterLane][writePos] = f.limiterGain;
    rampBack(rings.gain[kMasterLane], readPos, block.ringLength, f.limiterGain);

    const float limitedLeft = rings.gain[kMasterLane][readPos] * rings.left[kMasterLane][readPos];
    const float limitedRight = rings.gain[kMasterLane][readPos] * rings.right[kMasterLane][readPos];
    f.outLeft = applyOutputGain(limitedLeft, work.outputGain, block.dither, noise);
    f.outRight = applyOutputGain(limitedRight, work.outputGain, block.dither, noise);

    if (block.normalize || block.outputLinkPending) {
        // Measured without the dither noise; the gain is only ever lowered here.
        const float peak =
            std::max(std::fabs(limitedLeft), std::fabs(limitedRight)) * work.outputGain;
        if (peak > block.normalizeFactor) {
            const float n = block.normalizeFactor / peak;
            work.outputGain = work.outputGain * n;
            f.outLeft = f.outLeft * n;
            f.outRight = f.outRight * n;
        }
    }
    return f;
}

}  // namespace velmorin
