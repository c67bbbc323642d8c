// The three band compressors as lanes 0, 1 and 2 of one vector (lane 3 idles),
// so one frame's three recursions cost what one does. Every lane runs the same
// operations in the same order, so each band's gains are exactly what it
// would get alone. The common frames (below the curve, or in attack or
// release) stay on the vector path without a branch on the signal; the rare
// events (a new reduction, an attack's or a release's end) are branched to.
#pragma once

#include <emmintrin.h>

#include "engine/block_values.h"
#include "engine/engine_state.h"
#include "engine/lane_vectors.h"

namespace velmorin {

namespace lanes {

inline __m128 phaseIs(__m128i phase, BandPhase which) {
    return _mm_castsi128_ps(_mm_cmpeq_epi32(phase, _mm_set1_epi32(which)));
}

// All ones in the lanes of the bands that are set.
inline __m128 maskOf(const bool (&bands)[kNumBands]) {
    const auto bits = [](bool on) { return on ? -1 : 0; };
    return _mm_castsi128_ps(_mm_setr_epi32(bits(bands[0]), bits(bands[1]), bits(bands[2]), 0));
}

inline __m128i setPhase(__m128 mask, BandPhase which, __m128i phase) {
    const __m128i m = _mm_castps_si128(mask);
    return _mm_or_si128(_mm_and_si128(m, _mm_set1_epi32(which)), _mm_andnot_si128(m, phase));
}

}  // namespace lanes

// Per band: the curve's constants as lanes.
struct CurveLanes {
    __m128 threshold;    // t
    __m128 curveFactor;  // meaningful only below a 0 dB threshold
    __m128 hardCeiling;  // all ones where t is 0 dB
    __m128 reducing;     // all ones unless a 0 dB threshold with ratio 1

    // Inline, like everything the frame loop's objects are built with: an
    // out-of-line call would take their address and keep them in memory.
    [[gnu::always_inline]] explicit CurveLanes(const BlockValues& block) {
        float t[kNumBands], factor[kNumBands];
        bool hard[kNumBands], reduces[kNumBands];
        for (int32_t b = 0; b < kNumBands; ++b) {
            const BandSettings& s = block.band[b];
            t[b] = s.thresholdGain;
            factor[b] = s.curveFactor;
            hard[b] = s.thresholdGain == 1.0f;
            reduces[b] = !(hard[b] && s.ratio == 1.0f);
        }
        threshold = lanes::ofBands(t, 1.0f);
        curveFactor = lanes::ofBands(factor, 0.0f);
        hardCeiling = lanes::maskOf(hard);
        reducing = lanes::maskOf(reduces);
    }

    // The lanes whose peak is above the curve's threshold and asks for a reduction.
    __m128 above(__m128 peak) const { return _mm_and_ps(_mm_cmpgt_ps(peak, threshold), reducing); }

    // The gain that brings each lane's peak onto its curve (meaningful where above).
    __m128 gain(__m128 peak) const {
        const __m128 one = _mm_set1_ps(1.0f);
        const __m128 excess = _mm_sub_ps(peak, threshold);
        const __m128 soft = _mm_div_ps(
            _mm_add_ps(_mm_div_ps(excess, _mm_add_ps(_mm_mul_ps(excess, curveFactor), one)),
                       threshold),
            peak);
        return lanes::select(hardCeiling, _mm_div_ps(one, peak), soft);  // 1/peak: a ceiling
    }
};

// The dynamics of the three bands, one lane each. Kept by value, so that the
// frame loop holds them in registers.
struct DynamicsLanes {
    __m128 gain, target, releaseRate, releaseStep;
    __m128i phase;
};

[[gnu::always_inline]] inline DynamicsLanes loadLanes(const BandDynamics& d) {
    return {lanes::ofBands(d.gain, 1.0f), lanes::ofBands(d.target, 1.0f),
            lanes::ofBands(d.releaseRate, 1.0f), lanes::ofBands(d.releaseStep, 0.0f),
            _mm_setr_epi32(d.phase[0], d.phase[1], d.phase[2], kPhaseIdle)};
}

// By value: nothing of the frame loop's state has its address taken.
void storeLanes(DynamicsLanes lanes, BandDynamics& dynamics);

// A new, deeper reduction in the lanes of `deeper`, with peak `peak` and curve
// gain `curveGain`: it sets the target, and a release whose speed depends on
// how deep and how loud the reduction was, and starts an attack that is
// instant or smoothed. Rare, and costly (a logarithm), so out of the loop.
[[gnu::noinline]] DynamicsLanes startAttacks(DynamicsLanes d, const BlockValues& block,
                                             __m128 deeper, __m128 peak, __m128 curveGain);

class CompressorLanes {
  public:
    CompressorLanes(const BandDynamics& dynamics, const BlockValues& block)
        : block_(block),
          curve_(block),
          attackCoefficient_(_mm_set1_ps(block.attackCoefficient)),
          d_(loadLanes(dynamics)) {}

    // One frame: the bands' peaks in, their gains out. Inlined into the frame
    // loop, which then keeps the state in registers.
    [[gnu::always_inline]] __m128 run(__m128 peak) {
        using namespace lanes;
        const __m128 one = _mm_set1_ps(1.0f);
        // Most frames have no band above its threshold and skip the curve's
        // divisions. Otherwise the curve runs for every lane, and lanes that
        // are not above it drop out.
        const __m128 above = curve_.above(peak);
        if (_mm_movemask_ps(above) != 0) {
            const __m128 curveGain = curve_.gain(peak);
            const __m128 deeper = _mm_and_ps(above, _mm_cmplt_ps(curveGain, d_.target));
            if (_mm_movemask_ps(deeper) != 0) {
                const DynamicsLanes started = startAttacks(d_, block_, deeper, peak, curveGain);
                d_ = started;  // not returned into d_ itself, which would take its address
            }
        }

        const __m128 attacking = phaseIs(d_.phase, kPhaseAttack);
        if (_mm_movemask_ps(attacking) != 0) runAttack(attacking);

        const __m128 releasing = phaseIs(d_.phase, kPhaseRelease);
        // max(2e-6, x) is "x < 2e-6 ? 2e-6 : x", a NaN step included.
        const __m128 step =
            _mm_max_ps(_mm_set1_ps(2e-6f),
                       _mm_sub_ps(d_.releaseRate, _mm_mul_ps(d_.gain, _mm_set1_ps(8.5e-5f))));
        d_.releaseStep = select(releasing, step, d_.releaseStep);
        const __m128 raised = _mm_add_ps(d_.gain, step);
        d_.gain = select(releasing, raised, d_.gain);
        d_.target = select(releasing, raised, d_.target);
        const __m128 released = _mm_and_ps(releasing, _mm_cmpgt_ps(raised, one));
        if (_mm_movemask_ps(released) != 0) {
            d_.gain = select(released, one, d_.gain);
            d_.target = select(released, one, d_.target);
            d_.phase = setPhase(released, kPhaseIdle, d_.phase);
        }
        return d_.gain;
    }

    void store(BandDynamics& dynamics) const { storeLanes(d_, dynamics); }

  private:
    [[gnu::always_inline]] void runAttack(__m128 attacking) {
        using namespace lanes;
        const __m128 lowered = _mm_sub_ps(
            d_.gain, _mm_mul_ps(_mm_mul_ps(_mm_sub_ps(d_.gain, d_.target), attackCoefficient_),
                                _mm_set1_ps(20.0f)));
        d_.gain = select(attacking, lowered, d_.gain);
        const __m128 arrived =
            _mm_and_ps(attacking, _mm_cmpgt_ps(_mm_div_ps(d_.target, d_.gain), _mm_set1_ps(0.99f)));
        if (_mm_movemask_ps(arrived) != 0) {
            d_.gain = select(arrived, d_.target, d_.gain);
            d_.phase = setPhase(arrived, kPhaseRelease, d_.phase);
        }
    }

    const BlockValues& block_;
    const CurveLanes curve_;
    const __m128 attackCoefficient_;
    DynamicsLanes d_;
};

}  // namespace velmorin
