#include "engine/band_compressor.h"

#include <cmath>

#include "params/parameter_table.h"

namespace velmorin {
OneBandDynamics startAttack(OneBandDynamics d, const BandSettings& settings,
                            const BlockValues& block, float peak, float gain) {
    d.target = gain;
    const float length = static_cast<float>(
        truncateToInt((block.releaseBase / gain - block.releaseBase95) * settings.attackWeight));
    d.releaseRate = (1.0f - gain) / (std::log10(peak * 32.768f + 1.0f) * length * 0.6542339f) +
                    (gain + 1.0f) * 4.25e-5f;
    if (settings.smoothedAttack && gain / d.gain < 0.99f) {
        d.phase = kPhaseAttack;
    } else {
        d.gain = gain;
        d.phase = kPhaseRelease;
    }
    return d;
}

}  // namespace velmorin
