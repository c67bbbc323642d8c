#include "engine/master_stage.h"

#include <algorithm>
#include <cmath>

#include <emmintrin.h>

#include "engine/look_ahead_ramp.h"

namespace velmorin {
namespace {

// Rectangular noise two 16-bit steps wide, slightly offset from zero.
constexpr float kDitherScale = 1.194e-7f;
constexpr float kDitherOffset = 2.2885e-5f;

float laneOne(__m128 v) {
    return _mm_cvtss_f32(_mm_shuffle_ps(v, v, _MM_SHUFFLE(1, 1, 1, 1)));
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

// The limited sum of each frame of a run, left and right.
struct LimitedRun {
    alignas(16) float frame[kRunFrames][2];
};

// Band sum through the limiter and its look-ahead ring.
void limit(LookAheadRings& rings, LimiterDynamics& working, const BlockValues& block,
           RingCursor cursor, const DelayedRun& bands, int32_t count, LaneRun& run,
           LimitedRun& out) {
    constexpr int32_t kSumSlot = 2 * kMasterLane;  // the sum's left and right in a ring slot
    float* const ringGain = rings.gain[kMasterLane];
    LimiterDynamics limiter = working;  // a copy the run's writes cannot alias
    for (int32_t n = 0; n < count; ++n) {
        const __m128 sum =
            _mm_loadl_pi(_mm_setzero_ps(), reinterpret_cast<const __m64*>(bands.bandSum[n]));
        runLimiter(limiter, block,
                   std::max(std::fabs(_mm_cvtss_f32(sum)), std::fabs(laneOne(sum))));

        const int32_t wr = cursor.write();
        _mm_storel_pi(reinterpret_cast<__m64*>(rings.samples[wr] + kSumSlot), sum);
        ringGain[wr] = limiter.gain;
        rampBackFrom(ringGain, cursor.older(), cursor.length, limiter.gain);

        const __m128 leaving =
            _mm_loadl_pi(_mm_setzero_ps(),
                         reinterpret_cast<const __m64*>(rings.samples[cursor.read] + kSumSlot));
        _mm_storel_pi(reinterpret_cast<__m64*>(out.frame[n]),
                      _mm_mul_ps(_mm_set1_ps(ringGain[cursor.read]), leaving));
        _mm_storel_pi(reinterpret_cast<__m64*>(run.frame[n] + kSumSlot), sum);
        run.gain[n][kMasterLane] = limiter.gain;
        cursor.advance();
    }
    working = limiter;
}

// Output gain, the dither noise on top when it is on (left's noise first),
// and the normalizer, which only ever lowers the gain; one loop for each
// combination, so that none of them branches per frame.
template <bool kDither, bool kNormalizing>
void applyOutputGain(const LimitedRun& limitedRun, const BlockValues& block, float& gain,
                     DitherNoise& noise, int32_t count, float* outLeft, float* outRight,
                     OutputSums& sums) {
    // Working copies, so that the output writes cannot alias them.
    DitherNoise generator = noise;
    float outputGain = gain;
    __m128 sumSquares = _mm_setr_ps(sums.sumSqLeft, sums.sumSqRight, 0.0f, 0.0f);
    for (int32_t n = 0; n < count; ++n) {
        const __m128 limited =
            _mm_loadl_pi(_mm_setzero_ps(), reinterpret_cast<const __m64*>(limitedRun.frame[n]));
        __m128 out = _mm_mul_ps(limited, _mm_set1_ps(outputGain));
        if (kDither) {
            const float noiseLeft = static_cast<float>(generator.next() % 512) * kDitherScale;
            const float noiseRight = static_cast<float>(generator.next() % 512) * kDitherScale;
            out = _mm_sub_ps(_mm_add_ps(_mm_setr_ps(noiseLeft, noiseRight, 0.0f, 0.0f), out),
                             _mm_set1_ps(kDitherOffset));
        }
        if (kNormalizing) {
            // Measured without the dither noise.
            const float peak =
                std::max(std::fabs(_mm_cvtss_f32(limited)), std::fabs(laneOne(limited))) *
                outputGain;
            if (peak > block.normalizeFactor) {
                const float factor = block.normalizeFactor / peak;
                outputGain = outputGain * factor;
                out = _mm_mul_ps(out, _mm_set1_ps(factor));
            }
        }
        outLeft[n] = _mm_cvtss_f32(out);
        outRight[n] = laneOne(out);
        sumSquares = _mm_add_ps(sumSquares, _mm_mul_ps(out, out));
    }
    noise = generator;
    gain = outputGain;
    alignas(16) float squares[4];
    _mm_store_ps(squares, sumSquares);
    sums.sumSqLeft = squares[0];
    sums.sumSqRight = squares[1];
    sums.sampleCount = sums.sampleCount + count;
}

}  // namespace

void runMasterStage(LookAheadRings& rings, MasterWorkingState& work, const BlockValues& block,
                    DitherNoise& noise, RingCursor cursor, const DelayedRun& bands, int32_t count,
                    float* outLeft, float* outRight, LaneRun& run, OutputSums& sums) {
    LimitedRun limited;
    limit(rings, work.limiter, block, cursor, bands, count, run, limited);
    const auto output =
        block.normalize || block.outputLinkPending
            ? (block.dither ? applyOutputGain<true, true> : applyOutputGain<false, true>)
            : (block.dither ? applyOutputGain<true, false> : applyOutputGain<false, false>);
    output(limited, block, work.outputGain, noise, count, outLeft, outRight, sums);
}

}  // namespace velmorin
