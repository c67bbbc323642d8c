// One band's compressor: an instantaneous peak, a soft-kneed gain computer, an
// attack that is instant or smoothed, and a release whose speed depends on how
// deep and how loud the reduction was.
#pragma once

#include <algorithm>
#include <cmath>

#include "engine/block_values.h"
#include "engine/engine_state.h"

namespace velmorin {

// The dynamics of a single band, as the frame loop keeps them.
struct OneBandDynamics {
    float gain, target;
    int32_t phase;
    float releaseRate, releaseStep;
};

OneBandDynamics loadBand(const BandDynamics& dynamics, int32_t band);
void storeBand(BandDynamics& dynamics, int32_t band, const OneBandDynamics& one);

// The gain that brings peak `peak` onto the band's curve; false when the peak
// is not above the threshold or the curve asks for no reduction.
inline bool curveGain(const BandSettings& settings, float peak, float& gain) {
    const float t = settings.thresholdGain;
    if (!(peak > t)) return false;
    if (t == 1.0f) {
        // A 0 dB threshold: a hard ceiling at full scale, unless the ratio is 1.
        if (settings.ratio == 1.0f) return false;
        gain = 1.0f / peak;
        return true;
    }
    const float excess = peak - t;
    gain = (excess / (excess * settings.curveFactor + 1.0f) + t) / peak;
    return true;
}

// A new, deeper reduction with peak `peak` and curve gain `gain`. Rare and
// costly, so kept out of line; by value, so the frame loop keeps its copy in
// registers.
OneBandDynamics startAttack(OneBandDynamics dynamics, const BandSettings& settings,
                            const BlockValues& block, float peak, float gain);

inline void runAttack(OneBandDynamics& d, const BlockValues& block) {
    float& g = d.gain;
    g = g - (g - d.target) * block.attackCoefficient * 20.0f;
    if (d.target / g > 0.99f) {
        g = d.target;
        d.phase = kPhaseRelease;
    }
}

inline void runRelease(OneBandDynamics& d) {
    float& g = d.gain;
    float step = d.releaseRate - g * 8.5e-5f;
    if (step < 2e-6f) step = 2e-6f;
    d.releaseStep = step;
    g = g + step;
    d.target = g;
    if (g > 1.0f) {
        g = 1.0f;
        d.target = 1.0f;
        d.phase = kPhaseIdle;
    }
}

// Runs one frame of a band and returns its gain for that frame.
inline float compressFrame(OneBandDynamics& d, const BandSettings& settings,
                           const BlockValues& block, float left, float right) {
    const float peak = std::max(std::fabs(left), std::fabs(right));
    float gain;
    // A target that is not a number never starts an attack.
    if (curveGain(settings, peak, gain) && gain < d.target) {
        d = startAttack(d, settings, block, peak, gain);
    }
    if (d.phase == kPhaseAttack) runAttack(d, block);
    if (d.phase == kPhaseRelease) runRelease(d);
    return d.gain;
}

// The same for band `band` of all three.
float compressBand(BandDynamics& dynamics, int32_t band, const BandSettings& settings,
                   const BlockValues& block, float left, float right);

}  // namespace velmorin
