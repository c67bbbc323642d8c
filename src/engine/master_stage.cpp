#include "engine/master_stage.h"

#include <algorithm>
#include <cmath>

#include "engine/look_ahead_ramp.h"

namespace velmorin {
namespace {

// Rectangular noise two 16-bit steps wide, slightly offset from zero.
constexpr float kDitherScale = 1.194e-7f;
constexpr float kDitherOffset = 2.2885e-5f;

struct MixGains {
    float band[kNumBands];
};

float bandSum(MixGains mix, const float (&samples)[kNumBands][kRunFrames], const DelayedRun& bands,
              int32_t n) {
    return (mix.band[0] * samples[0][n] * bands.gain[0][n] +
            mix.band[1] * samples[1][n] * bands.gain[1][n]) +
           mix.band[2] * samples[2][n] * bands.gain[2][n];
}

// Rare (a peak above what the limiter would let through) and costly.
[[gnu::noinline]] LimiterDynamics startLimiting(const BlockValues& block, float peak) {
    LimiterDynamics lim;
    lim.gain = block.limiterThreshold / peak;
    lim.step = 0.0f;
    lim.releaseRate =
        (1.0f - lim.gain) / (std::log10(peak * 32.768f + 1.0f) * block.limiterReleaseScale) +
        (lim.gain + 1.0f) * 4.25e-5f;
    return lim;
}

void runLimiter(LimiterDynamics& lim, const BlockValues& block, float peak) {
    const float tl = block.limiterThreshold;
    if (peak > tl && lim.step + lim.gain > tl / peak) lim = startLimiting(block, peak);
    if (lim.gain < 1.0f) {
        lim.gain = lim.gain + lim.step;
        lim.step = lim.releaseRate - lim.gain * 8.5e-5f;
    } else {
        lim.gain = 1.0f;
    }
}

inline float applyOutputGain(float sample, float outputGain, bool dither, DitherNoise& noise) {
    if (!dither) return sample * outputGain;
    return (static_cast<float>(noise.next() % 512) * kDitherScale + sample * outputGain) -
           kDitherOffset;
}

}  // namespace

void runMasterStage(LookAheadRings& rings, MasterWorkingState& work, const BlockValues& block,
                    DitherNoise& noise, RingCursor cursor, const DelayedRun& bands, int32_t count,
                    float* outLeft, float* outRight, MasterFeed feed) {
    float* const ringLeft = rings.left[kMasterLane];
    float* const ringRight = rings.right[kMasterLane];
    float* const ringGain = rings.gain[kMasterLane];
    const bool normalizing = block.normalize || block.outputLinkPending;
    // Copies the loop keeps in registers: the output writes might alias `block`.
    const MixGains mix = {{block.mixGain[0], block.mixGain[1], block.mixGain[2]}};
    // Working copies, so that the output writes cannot alias them.
    LimiterDynamics limiter = work.limiter;
    DitherNoise generator = noise;
    float outputGain = work.outputGain;
    WaveExtremes extremes = feed.extremes;
    OutputSums sums = feed.sums;

    for (int32_t n = 0; n < count; ++n) {
        const float sumLeft = bandSum(mix, bands.left, bands, n);
        const float sumRight = bandSum(mix, bands.right, bands, n);
        runLimiter(limiter, block, std::max(std::fabs(sumLeft), std::fabs(sumRight)));

        const int32_t wr = cursor.write();
        ringLeft[wr] = sumLeft;
        ringRight[wr] = sumRight;
        ringGain[wr] = limiter.gain;
        rampBackFrom(ringGain, wr == 0 ? cursor.length - 1 : wr - 1, cursor.length, limiter.gain);

        const float limitedLeft = ringGain[cursor.read] * ringLeft[cursor.read];
        const float limitedRight = ringGain[cursor.read] * ringRight[cursor.read];
        float left = applyOutputGain(limitedLeft, outputGain, block.dither, generator);
        float right = applyOutputGain(limitedRight, outputGain, block.dither, generator);

        if (normalizing) {
            // Measured without the dither noise; the gain is only ever lowered here.
            const float peak =
                std::max(std::fabs(limitedLeft), std::fabs(limitedRight)) * outputGain;
            if (peak > block.normalizeFactor) {
                const float factor = block.normalizeFactor / peak;
                outputGain = outputGain * factor;
                left = left * factor;
                right = right * factor;
            }
        }
        extremes.add(sumLeft, sumRight, limiter.gain);
        outLeft[n] = left;
        outRight[n] = right;
        sums.sumSqLeft = sums.sumSqLeft + left * left;
        sums.sumSqRight = sums.sumSqRight + right * right;
        sums.sampleCount = sums.sampleCount + 1;
        cursor.advance();
    }

    work.limiter = limiter;
    noise = generator;
    work.outputGain = outputGain;
    feed.extremes = extremes;
    feed.sums = sums;
}

}  // namespace velmorin
