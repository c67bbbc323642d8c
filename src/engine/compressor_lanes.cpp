#include "engine/compressor_lanes.h"

#include <cmath>

namespace velmorin {
namespace {

// Each lane truncated to a whole number as truncateToInt does (saturating,
// NaN to 0), as a float.
__m128 truncated(__m128 x) {
    const __m128 limit = _mm_set1_ps(2147483648.0f);            // also float(INT32_MAX)
    const __m128 whole = _mm_cvtepi32_ps(_mm_cvttps_epi32(x));  // -2^31 out of range, NaN
    return _mm_andnot_ps(_mm_cmpunord_ps(x, x),
                         lanes::select(_mm_cmpge_ps(x, limit), limit, whole));
}

// log10 of each lane in `which`, with the C library's float log10 (the
// others hold 1).
__m128 log10InLanes(__m128 x, __m128 which) {
    alignas(16) float in[4];
    _mm_store_ps(in, x);
    const int32_t lanesToDo = _mm_movemask_ps(which);
    __m128 out = _mm_set1_ps(1.0f);
    for (int32_t b = 0; b < kNumBands; ++b) {
        if ((lanesToDo >> b & 1) == 0) continue;
        const __m128 lane =
            _mm_castsi128_ps(_mm_cmpeq_epi32(_mm_setr_epi32(0, 1, 2, 3), _mm_set1_epi32(b)));
        out = lanes::select(lane, _mm_set1_ps(std::log10(in[b])), out);
    }
    return out;
}

}  // namespace

void storeLanes(DynamicsLanes l, BandDynamics& d) {
    lanes::toBands(l.gain, d.gain);
    lanes::toBands(l.target, d.target);
    lanes::toBands(l.releaseRate, d.releaseRate);
    lanes::toBands(l.releaseStep, d.releaseStep);
    alignas(16) int32_t phase[4];
    _mm_store_si128(reinterpret_cast<__m128i*>(phase), l.phase);
    for (int32_t b = 0; b < kNumBands; ++b) d.phase[b] = phase[b];
}

DynamicsLanes startAttacks(DynamicsLanes d, const BlockValues& block, __m128 deeper, __m128 peak,
                           __m128 curveGain) {
    using namespace lanes;
    const __m128 one = _mm_set1_ps(1.0f);
    float weight[kNumBands];
    bool smoothed[kNumBands];
    for (int32_t b = 0; b < kNumBands; ++b) {
        weight[b] = block.band[b].attackWeight;
        smoothed[b] = block.band[b].smoothedAttack;
    }
    const __m128 releaseBase = _mm_set1_ps(block.releaseBase);
    const __m128 length = truncated(
        _mm_mul_ps(_mm_sub_ps(_mm_div_ps(releaseBase, curveGain), _mm_set1_ps(block.releaseBase95)),
                   ofBands(weight, 0.0f)));
    const __m128 loudness =
        log10InLanes(_mm_add_ps(_mm_mul_ps(peak, _mm_set1_ps(32.768f)), one), deeper);
    const __m128 rate =
        _mm_add_ps(_mm_div_ps(_mm_sub_ps(one, curveGain),
                              _mm_mul_ps(_mm_mul_ps(loudness, length), _mm_set1_ps(0.6542339f))),
                   _mm_mul_ps(_mm_add_ps(curveGain, one), _mm_set1_ps(4.25e-5f)));
    // Compared with the gain the lane had before this frame.
    const __m128 attacking =
        _mm_and_ps(_mm_and_ps(deeper, maskOf(smoothed)),
                   _mm_cmplt_ps(_mm_div_ps(curveGain, d.gain), _mm_set1_ps(0.99f)));
    const __m128 instant = _mm_andnot_ps(attacking, deeper);

    d.target = select(deeper, curveGain, d.target);
    d.releaseRate = select(deeper, rate, d.releaseRate);
    d.gain = select(instant, curveGain, d.gain);
    d.phase = setPhase(attacking, kPhaseAttack, setPhase(instant, kPhaseRelease, d.phase));
    return d;
}

}  // namespace velmorin
