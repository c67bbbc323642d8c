#include "engine/compressor_lanes.h"

namespace velmorin {
namespace {

__m128 maskOf(const bool (&bands)[kNumBands]) {
    const auto bits = [](bool on) { return on ? -1 : 0; };
    return _mm_castsi128_ps(_mm_setr_epi32(bits(bands[0]), bits(bands[1]), bits(bands[2]), 0));
}

}  // namespace

CurveLanes::CurveLanes(const BlockValues& block) {
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
    hardCeiling = maskOf(hard);
    reducing = maskOf(reduces);
}

CompressorLanes::CompressorLanes(const BandDynamics& d, const BlockValues& block)
    : block_(block), curve_(block), attackCoefficient_(_mm_set1_ps(block.attackCoefficient)) {
    load(d);
}

void CompressorLanes::load(const BandDynamics& d) {
    gain_ = lanes::ofBands(d.gain, 1.0f);
    target_ = lanes::ofBands(d.target, 1.0f);
    releaseRate_ = lanes::ofBands(d.releaseRate, 1.0f);
    releaseStep_ = lanes::ofBands(d.releaseStep, 0.0f);
    phase_ = _mm_setr_epi32(d.phase[0], d.phase[1], d.phase[2], kPhaseIdle);
}

void CompressorLanes::store(BandDynamics& d) const {
    lanes::toBands(gain_, d.gain);
    lanes::toBands(target_, d.target);
    lanes::toBands(releaseRate_, d.releaseRate);
    lanes::toBands(releaseStep_, d.releaseStep);
    alignas(16) int32_t phase[4];
    _mm_store_si128(reinterpret_cast<__m128i*>(phase), phase_);
    for (int32_t b = 0; b < kNumBands; ++b) d.phase[b] = phase[b];
}

void CompressorLanes::startAttacks(__m128 deeper, __m128 peak, __m128 curveGain) {
    using namespace lanes;
    alignas(16) float gain[4], target[4], rate[4], step[4], peaks[4], gains[4];
    alignas(16) int32_t phase[4];
    _mm_store_ps(gain, gain_);
    _mm_store_ps(target, target_);
    _mm_store_ps(rate, releaseRate_);
    _mm_store_ps(step, releaseStep_);
    _mm_store_si128(reinterpret_cast<__m128i*>(phase), phase_);
    _mm_store_ps(peaks, peak);
    _mm_store_ps(gains, curveGain);
    const int32_t which = _mm_movemask_ps(deeper);
    for (int32_t b = 0; b < kNumBands; ++b) {
        if ((which >> b & 1) == 0) continue;
        const OneBandDynamics d = startAttack({gain[b], target[b], phase[b], rate[b], step[b]},
                                              block_.band[b], block_, peaks[b], gains[b]);
        // Back into lane b without a round trip through memory.
        const __m128 lane =
            _mm_castsi128_ps(_mm_cmpeq_epi32(_mm_setr_epi32(0, 1, 2, 3), _mm_set1_epi32(b)));
        gain_ = select(lane, _mm_set1_ps(d.gain), gain_);
        target_ = select(lane, _mm_set1_ps(d.target), target_);
        releaseRate_ = select(lane, _mm_set1_ps(d.releaseRate), releaseRate_);
        releaseStep_ = select(lane, _mm_set1_ps(d.releaseStep), releaseStep_);
        phase_ = _mm_castps_si128(
            select(lane, _mm_castsi128_ps(_mm_set1_epi32(d.phase)), _mm_castsi128_ps(phase_)));
    }
}

}  // namespace velmorin
