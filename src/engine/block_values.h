// Everything a block derives from the stored parameters and the sample rate,
// computed once at its start: parameter changes during a block take effect at
// the next one.
#pragma once

#include "engine/crossover.h"
#include "engine/engine_state.h"

namespace velmorin {

struct BandSettings {
    bool enabled;
    bool smoothedAttack;
    float thresholdGain;
    float ratio;
    float curveFactor;  // meaningful only below a 0 dB threshold
    float attackWeight;
};

struct BlockValues {
    int32_t ringLength;
    bool bypass;
    bool dcRemoval;
    bool normalize;
    bool dither;
    bool outputLinkPending;

    BandSettings band[kNumBands];
    CrossoverCoefficients crossover;
    float attackCoefficient;  // c_a
    float releaseBase;        // q
    float releaseBase95;      // q95

    float mixGain[kNumBands];
    float limiterThreshold;     // Tl
    float limiterReleaseScale;  // r_l
    float normalizeFactor;
};

BlockValues computeBlockValues(const EngineState& engine, float sampleRate);

}  // namespace velmorin
