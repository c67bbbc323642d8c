// The three band compressors as lanes 0, 1 and 2 of one vector (lane 3 idles),
// so one frame's three recursions cost what one does. Every lane runs the same
// operations in the same order, so each band's gains are exactly what it
// would get alone. The common frames (below the curve, or in attack or
// release) stay on the vector path without a branch on the signal; the rare
// events (a new reduction, an attack's or a release's end) are branched to,
// and a new reduction runs startAttack (band_compressor.h) for its lane.
#pragma once

#include <emmintrin.h>

#include "engine/band_compressor.h"
#include "engine/block_values.h"
#include "engine/engine_state.h"
#include "engine/lane_vectors.h"

namespace velmorin {

namespace lanes {

inline __m128 phaseIs(__m128i phase, BandPhase which) {
    return _mm_castsi128_ps(_mm_cmpeq_epi32(phase, _mm_set1_epi32(which)));
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

    explicit CurveLanes(const BlockValues& block);

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

class CompressorLanes {
  public:
    CompressorLanes(const BandDynamics& dynamics, const BlockValues& block);

    // One frame: the bands' peaks in, their gains out.
    __m128 run(__m128 peak) {
        using namespace lanes;
        const __m128 one = _mm_set1_ps(1.0f);
        // The curve for every lane; lanes that are not above it drop out.
        const __m128 curveGain = curve_.gain(peak);
        const __m128 deeper = _mm_and_ps(curve_.above(peak), _mm_cmplt_ps(curveGain, target_));
        if (_mm_movemask_ps(deeper) != 0) startAttacks(deeper, peak, curveGain);

        const __m128 attacking = phaseIs(phase_, kPhaseAttack);
        if (_mm_movemask_ps(attacking) != 0) runAttack(attacking);

        const __m128 releasing = phaseIs(phase_, kPhaseRelease);
        // max(2e-6, x) is "x < 2e-6 ? 2e-6 : x", a NaN step included.
        const __m128 step = _mm_max_ps(
            _mm_set1_ps(2e-6f), _mm_sub_ps(releaseRate_, _mm_mul_ps(gain_, _mm_set1_ps(8.5e-5f))));
        releaseStep_ = select(releasing, step, releaseStep_);
        const __m128 raised = _mm_add_ps(gain_, step);
        gain_ = select(releasing, raised, gain_);
        target_ = select(releasing, raised, target_);
        const __m128 released = _mm_and_ps(releasing, _mm_cmpgt_ps(raised, one));
        if (_mm_movemask_ps(released) != 0) {
            gain_ = select(released, one, gain_);
            target_ = select(released, one, target_);
            phase_ = setPhase(released, kPhaseIdle, phase_);
        }
        return gain_;
    }

    void store(BandDynamics& dynamics) const;

  private:
    void load(const BandDynamics& dynamics);

    void runAttack(__m128 attacking) {
        using namespace lanes;
        const __m128 lowered =
            _mm_sub_ps(gain_, _mm_mul_ps(_mm_mul_ps(_mm_sub_ps(gain_, target_), attackCoefficient_),
                                         _mm_set1_ps(20.0f)));
        gain_ = select(attacking, lowered, gain_);
        const __m128 arrived =
            _mm_and_ps(attacking, _mm_cmpgt_ps(_mm_div_ps(target_, gain_), _mm_set1_ps(0.99f)));
        if (_mm_movemask_ps(arrived) != 0) {
            gain_ = select(arrived, target_, gain_);
            phase_ = setPhase(arrived, kPhaseRelease, phase_);
        }
    }

    // Rare and costly: the scalar code, lane by lane.
    [[gnu::noinline]] void startAttacks(__m128 deeper, __m128 peak, __m128 curveGain);

    const BlockValues& block_;
    const CurveLanes curve_;
    const __m128 attackCoefficient_;
    __m128 gain_, target_, releaseRate_, releaseStep_;
    __m128i phase_;
};

}  // namespace velmorin
