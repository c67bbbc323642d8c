#include "engine/band_stage.h"

#include <emmintrin.h>

#include "engine/compressor_lanes.h"
#include "engine/look_ahead_ramp.h"

namespace velmorin {
namespace {

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
        const __m128 highMid = _mm_load_ps(run.frame[n]);  // {High L, High R, Mid L, Mid R}
        const __m128 low = _mm_load_ps(run.frame[n] + 4);  // {Low L, Low R, -, -}
        const __m128 left = _mm_shuffle_ps(highMid, low, _MM_SHUFFLE(2, 0, 2, 0));
        const __m128 right = _mm_shuffle_ps(highMid, low, _MM_SHUFFLE(3, 1, 3, 1));
        // max(|l|, |r|) as "|l| < |r| ? |r| : |l|"
        _mm_store_ps(run.gain[n], compressors.run(_mm_max_ps(magnitude(right), magnitude(left))));
    }
    compressors.store(dynamics);
}

// Each frame's samples and gains into the rings, lowering the waiting gains
// where a band's gain fell; what leaves the rings goes to `out`.
void passThroughRings(LookAheadRings& rings, const BlockValues& block, RingCursor cursor,
                      const LaneRun& run, int32_t count, DelayedRun& out) {
    const int32_t ramping = rampingBands(block);
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
        const float* const leaving = rings.samples[cursor.read];
        _mm_store_ps(out.samples[n], _mm_load_ps(leaving));
        _mm_storel_pi(reinterpret_cast<__m64*>(out.samples[n] + 4),
                      _mm_loadl_pi(_mm_setzero_ps(), reinterpret_cast<const __m64*>(leaving + 4)));
        _mm_store_ps(out.gain[n],
                     lanes::ofBands(rings.gain[0][cursor.read], rings.gain[1][cursor.read],
                                    rings.gain[2][cursor.read], 1.0f));
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
