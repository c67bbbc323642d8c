#include "engine/band_stage.h"

#include <emmintrin.h>

#include "engine/compressor_lanes.h"
#include "engine/extreme_lanes.h"
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

}  // namespace

void runBandStage(BandDynamics& dynamics, LookAheadRings& rings, const BlockValues& block,
                  RingCursor cursor, const SplitRun& in, int32_t count, DelayedRun& out,
                  LaneExtremes& extremes) {
    CompressorLanes compressors(dynamics, block);
    ExtremeLanes seen(extremes);
    const int32_t ramping = rampingBands(block);
    // The gain each ring got one frame earlier, which a ramp starts from.
    const int32_t firstOlder = cursor.older();
    __m128 previous = lanes::ofBands(rings.gain[0][firstOlder], rings.gain[1][firstOlder],
                                     rings.gain[2][firstOlder], 1.0f);

    for (int32_t n = 0; n < count; ++n) {
        const __m128 highMid = _mm_load_ps(in.frame[n]);  // {High L, High R, Mid L, Mid R}
        const __m128 low = _mm_load_ps(in.frame[n] + 4);  // {Low L, Low R, -, -}
        const __m128 left = _mm_shuffle_ps(highMid, low, _MM_SHUFFLE(2, 0, 2, 0));
        const __m128 right = _mm_shuffle_ps(highMid, low, _MM_SHUFFLE(3, 1, 3, 1));
        // max(|l|, |r|) as "|l| < |r| ? |r| : |l|"
        const __m128 gain = compressors.run(_mm_max_ps(magnitude(right), magnitude(left)));

        alignas(16) float g[4];
        _mm_store_ps(g, gain);
        const int32_t wr = cursor.write();
        // The band sum's slots are the master stage's: written there, read later.
        _mm_store_ps(rings.samples[wr], highMid);
        _mm_storel_pi(reinterpret_cast<__m64*>(rings.samples[wr] + 4), low);
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
        seen.add(left, right, gain);
        cursor.advance();
    }
    compressors.store(dynamics);
    seen.store(extremes);
}

}  // namespace velmorin
