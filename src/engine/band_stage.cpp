#include "engine/band_stage.h"

#include <emmintrin.h>

#include "engine/compressor_lanes.h"
#include "engine/look_ahead_ramp.h"

namespace velmorin {
namespace {

// The band sum of one frame, left and right as lanes 0 and 1: per band
// (mix · sample) · gain, the three added High and Mid first.
class BandSum {
  public:
    explicit BandSum(const BlockValues& block)
        : mix_{_mm_set1_ps(block.mixGain[0]), _mm_set1_ps(block.mixGain[1]),
               _mm_set1_ps(block.mixGain[2])} {}

    // `slot` is a ring slot; `gains` holds the bands' gains in lanes 0 to 2.
    __m128 operator()(const float* slot, __m128 gains) const {
        const __m128 highMid = _mm_load_ps(slot);
        const __m128 low = _mm_loadl_pi(_mm_setzero_ps(), reinterpret_cast<const __m64*>(slot + 4));
        const __m128 high = _mm_mul_ps(_mm_mul_ps(mix_[0], highMid),
                                       _mm_shuffle_ps(gains, gains, _MM_SHUFFLE(0, 0, 0, 0)));
        const __m128 mid = _mm_mul_ps(_mm_mul_ps(mix_[1], _mm_movehl_ps(highMid, highMid)),
                                      _mm_shuffle_ps(gains, gains, _MM_SHUFFLE(1, 1, 1, 1)));
        const __m128 lowTerm = _mm_mul_ps(_mm_mul_ps(mix_[2], low),
                                          _mm_shuffle_ps(gains, gains, _MM_SHUFFLE(2, 2, 2, 2)));
        return _mm_add_ps(_mm_add_ps(high, mid), lowTerm);
    }

  private:
    __m128 mix_[kNumBands];
};

__m128 magnitude(__m128 x) {
    return _mm_and_ps(x, _mm_castsi128_ps(_mm_set1_epi32(0x7fffffff)));
}

// Bit b set for each band whose attack is instant: its reductions ramp back.
int32_t rampingBands(const BlockValues& block) {
    int32_t bits = 0;
    for (int32_t b = 0; b < kNumBands; ++b) bits |= block.band[b].smoothedAttack ? 0 : 1 << b;
    return bits;
}

// The compressors alone, so that the loop keeps their state in registers.
void compressBands(BandDynamics& dynamics, const BlockValues& block, LaneRun& run, int32_t count) {
    CompressorLanes compressors(dynamics, block);
    for (int32_t n = 0; n < count; ++n) {
        // max(|l|, |r|) as "|l| < |r| ? |r| : |l|" (lane 3 holds zeros: the sum comes later)
        const __m128 peak = _mm_max_ps(magnitude(run.rights(n)), magnitude(run.lefts(n)));
        _mm_store_ps(run.gain[n], compressors.run(peak));
    }
    compressors.store(dynamics);
}

// Each frame's samples and gains into the rings, lowering the waiting gains
// where a band's gain fell; the band sum of what leaves them goes to `out`.
void passThroughRings(LookAheadRings& rings, const BlockValues& block, RingCursor cursor,
                      const LaneRun& run, int32_t count, DelayedRun& out) {
    const int32_t ramping = rampingBands(block);
    const BandSum bandSum(block);
    // The gain each ring got one frame earlier, which a ramp starts from.
    const int32_t firstOlder = cursor.older();
    __m128 previous = lanes::ofBands(rings.gain[0][firstOlder], rings.gain[1][firstOlder],
                                     rings.gain[2][firstOlder], 1.0f);

    for (int32_t n = 0; n < count; ++n) {
        const float* const g = run.gain[n];
        const __m128 gain = _mm_load_ps(g);
        const int32_t wr = cursor.write();
        // The band sum's slots are the master stage's: written there, read later.
        _mm_store_ps(rings.samples[wr], _mm_load_ps(run.frame[n]));
        _mm_storel_pi(reinterpret_cast<__m64*>(rings.samples[wr] + 4),
                      _mm_load_ps(run.frame[n] + 4));
        for (int32_t b = 0; b < kNumBands; ++b) rings.gain[b][wr] = g[b];
        const int32_t lowered = _mm_movemask_ps(_mm_cmpgt_ps(previous, gain)) & ramping;
        if (lowered != 0) {
            for (int32_t b = 0; b < kNumBands; ++b) {
                if (lowered >> b & 1) {
                    rampBackFrom(rings.gain[b], cursor.older(), cursor.length, g[b]);
                }
            }
        }
        previous = gain;
        const int32_t rd = cursor.read;
        const __m128 leavingGains =
            lanes::ofBands(rings.gain[0][rd], rings.gain[1][rd], rings.gain[2][rd], 1.0f);
        _mm_storel_pi(reinterpret_cast<__m64*>(out.bandSum[n]),
                      bandSum(rings.samples[rd], leavingGains));
        cursor.advance();
    }
}

}  // namespace

void runBandStage(BandDynamics& dynamics, LookAheadRings& rings, const BlockValues& block,
                  RingCursor cursor, LaneRun& run, int32_t count, DelayedRun& out) {
    compressBands(dynamics, block, run, count);
    passThroughRings(rings, block, cursor, run, count, out);
}

}  // namespace velmorin
