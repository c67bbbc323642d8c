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

// The band sum of one frame, left and right as lanes 0 and 1: per band
// (mix · sample) · gain, the three added High and Mid first.
class BandSum {
  public:
    explicit BandSum(const BlockValues& block)
        : mix_{_mm_set1_ps(block.mixGain[0]), _mm_set1_ps(block.mixGain[1]),
               _mm_set1_ps(block.mixGain[2])} {}

    __m128 operator()(const DelayedRun& bands, int32_t n) const {
        const __m128 highMid = _mm_load_ps(bands.samples[n]);
        const __m128 low =
            _mm_loadl_pi(_mm_setzero_ps(), reinterpret_cast<const __m64*>(bands.samples[n] + 4));
        const __m128 gain = _mm_load_ps(bands.gain[n]);
        const __m128 high = term(0, highMid, gain);
        const __m128 mid = term(1, _mm_movehl_ps(highMid, highMid), gain);
        return _mm_add_ps(_mm_add_ps(high, mid), term(2, low, gain));
    }

  private:
    __m128 term(int32_t band, __m128 samples, __m128 gains) const {
        const __m128 gain = band == 0   ? _mm_shuffle_ps(gains, gains, _MM_SHUFFLE(0, 0, 0, 0))
                            : band == 1 ? _mm_shuffle_ps(gains, gains, _MM_SHUFFLE(1, 1, 1, 1))
                                        : _mm_shuffle_ps(gains, gains, _MM_SHUFFLE(2, 2, 2, 2));
        return _mm_mul_ps(_mm_mul_ps(mix_[band], samples), gain);
    }

    __m128 mix_[kNumBands];
};

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

// Output gain, and the dither noise on top when it is on (left's noise first).
__m128 applyOutputGain(__m128 limited, float outputGain, bool dither, DitherNoise& noise) {
    const __m128 gained = _mm_mul_ps(limited, _mm_set1_ps(outputGain));
    if (!dither) return gained;
    const float noiseLeft = static_cast<float>(noise.next() % 512) * kDitherScale;
    const float noiseRight = static_cast<float>(noise.next() % 512) * kDitherScale;
    return _mm_sub_ps(_mm_add_ps(_mm_setr_ps(noiseLeft, noiseRight, 0.0f, 0.0f), gained),
                      _mm_set1_ps(kDitherOffset));
}

}  // namespace

void runMasterStage(LookAheadRings& rings, MasterWorkingState& work, const BlockValues& block,
                    DitherNoise& noise, RingCursor cursor, const DelayedRun& bands, int32_t count,
                    float* outLeft, float* outRight, LaneRun& run, OutputSums& sums) {
    constexpr int32_t kSumSlot = 2 * kMasterLane;  // the sum's left and right in a ring slot
    float* const ringGain = rings.gain[kMasterLane];
    const bool normalizing = block.normalize || block.outputLinkPending;
    const BandSum bandSum(block);
    // Working copies, so that the output writes cannot alias them.
    LimiterDynamics limiter = work.limiter;
    DitherNoise generator = noise;
    float outputGain = work.outputGain;
    __m128 sumSquares = _mm_setr_ps(sums.sumSqLeft, sums.sumSqRight, 0.0f, 0.0f);

    for (int32_t n = 0; n < count; ++n) {
        const __m128 sum = bandSum(bands, n);
        const float sumLeft = _mm_cvtss_f32(sum), sumRight = laneOne(sum);
        runLimiter(limiter, block, std::max(std::fabs(sumLeft), std::fabs(sumRight)));

        const int32_t wr = cursor.write();
        _mm_storel_pi(reinterpret_cast<__m64*>(rings.samples[wr] + kSumSlot), sum);
        ringGain[wr] = limiter.gain;
        rampBackFrom(ringGain, cursor.older(), cursor.length, limiter.gain);

        const __m128 leaving =
            _mm_loadl_pi(_mm_setzero_ps(),
                         reinterpret_cast<const __m64*>(rings.samples[cursor.read] + kSumSlot));
        const __m128 limited = _mm_mul_ps(_mm_set1_ps(ringGain[cursor.read]), leaving);
        __m128 out = applyOutputGain(limited, outputGain, block.dither, generator);

        if (normalizing) {
            // Measured without the dither noise; the gain is only ever lowered here.
            const float peak =
                std::max(std::fabs(_mm_cvtss_f32(limited)), std::fabs(laneOne(limited))) *
                outputGain;
            if (peak > block.normalizeFactor) {
                const float factor = block.normalizeFactor / peak;
                outputGain = outputGain * factor;
                out = _mm_mul_ps(out, _mm_set1_ps(factor));
            }
        }
        _mm_storel_pi(reinterpret_cast<__m64*>(run.frame[n] + kSumSlot), sum);
        run.gain[n][kMasterLane] = limiter.gain;
        outLeft[n] = _mm_cvtss_f32(out);
        outRight[n] = laneOne(out);
        sumSquares = _mm_add_ps(sumSquares, _mm_mul_ps(out, out));
        cursor.advance();
    }

    work.limiter = limiter;
    noise = generator;
    work.outputGain = outputGain;
    alignas(16) float squares[4];
    _mm_store_ps(squares, sumSquares);
    sums.sumSqLeft = squares[0];
    sums.sumSqRight = squares[1];
    sums.sampleCount = sums.sampleCount + count;
}

}  // namespace velmorin
