#include "engine/band_compressor.h"

#include <algorithm>
#include <cmath>

#include "params/parameter_table.h"

namespace velmorin {
namespace {

void startAttack(BandDynamics& d, int32_t band, const BandSettings& settings,
                 const BlockValues& block, float peak, float gain) {
    d.target[band] = gain;
    const float length = static_cast<float>(
        truncateToInt((block.releaseBase / gain - block.releaseBase95) * settings.attackWeight));
    d.releaseRate[band] =
        (1.0f - gain) / (std::log10(peak * 32.768f + 1.0f) * length * 0.6542339f) +
        (gain + 1.0f) * 4.25e-5f;
    if (settings.smoothedAttack && gain / d.gain[band] < 0.99f) {
        d.phase[band] = kPhaseAttack;
    } else {
        d.gain[band] = gain;
        d.phase[band] = kPhaseRelease;
    }
}

void runAttack(BandDynamics& d, int32_t band, const BlockValues& block) {
    float& g = d.gain[band];
    g = g - (g - d.target[band]) * block.attackCoefficient * 20.0f;
    if (d.target[band] / g > 0.99f) {
        g = d.target[band];
        d.phase[band] = kPhaseRelease;
    }
}

void runRelease(BandDynamics& d, int32_t band) {
    float& g = d.gain[band];
    float step = d.releaseRate[band] - g * 8.5e-5f;
    if (step < 2e-6f) step = 2e-6f;
    d.releaseStep[band] = step;
    g = g + step;
    d.target[band] = g;
    if (g > 1.0f) {
        g = 1.0f;
        d.target[band] = 1.0f;
        d.phase[band] = kPhaseIdle;
    }
}

}  // namespace

bool curveGain(const BandSettings& settings, float peak, float& gain) {
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

float compressBand(BandDynamics& d, int32_t band, const BandSettings& settings,
                   const BlockValues& block, float left, float right) {
    const float peak = std::max(std::fabs(left), std::fabs(right));
    float gain;
    // A target that is not a number never starts an attack.
    if (curveGain(settings, peak, gain) && gain < d.target[band]) {
        startAttack(d, band, settings, block, peak, gain);
    }
    if (d.phase[band] == kPhaseAttack) runAttack(d, band, block);
    if (d.phase[band] == kPhaseRelease) runRelease(d, band);
    return d.gain[band];
}

}  // namespace velmorin
