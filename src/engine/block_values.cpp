#include "engine/block_values.h"

#include <cmath>

#include "engine/parameter_mapping.h"

namespace velmorin {
namespace {

// Higher bands release sooner after the same reduction.
constexpr float kAttackWeight[kNumBands] = {0.6f, 0.8f, 1.0f};

BandSettings bandSettings(const ParameterValues<int32_t>& stored, int32_t band) {
    BandSettings b;
    b.enabled = stored.bandOn[band].get() != 0.0f;
    b.smoothedAttack = stored.bandAttack[band].get() != 0.0f;
    b.thresholdGain = thresholdGainFor(stored.thresholdSteps[band].get());
    b.ratio =
        stored.bandBypass[band].get() != 0.0f ? 1.0f : stored.ratio[band].get() * 19.0f + 1.0f;
    b.curveFactor = b.thresholdGain != 1.0f ? (b.ratio - 1.0f) / (1.0f - b.thresholdGain) : 0.0f;
    b.attackWeight = kAttackWeight[band];
    return b;
}

}  // namespace

BlockValues computeBlockValues(const EngineState& engine, float sampleRate) {
    const ParameterValues<int32_t>& stored = engine.stored;
    BlockValues v;
    v.ringLength = engine.lookAheadOn() ? kLookAheadRingLength : 1;
    v.bypass = stored.bypass.get() == 1;
    v.dcRemoval = engine.dcRemoval.get() == 1;
    v.normalize = stored.normalize.get() != 0;
    v.dither = stored.dither.get() != 0;
    v.outputLinkPending = engine.outputLinkPending.get() != 0;

    for (int32_t band = 0; band < kNumBands; ++band) v.band[band] = bandSettings(stored, band);
    v.crossover = crossoverCoefficients(sampleRate);
    v.attackCoefficient = 1.0f / (sampleRate * 0.066f);
    v.releaseBase = sampleRate / 5.0f;
    v.releaseBase95 = v.releaseBase * 0.95f;

    for (int32_t band = 0; band < kNumBands; ++band) {
        v.mixGain[band] =
            std::pow(10.0f, 0.6f - static_cast<float>(stored.mix[band].get()) / 200.0f);
    }
    v.limiterThreshold = engine.limiterThresholdGain.get();
    v.limiterReleaseScale = sampleRate / 152.85052f;
    v.normalizeFactor = normalizeFactorFor(engine.normalizeTarget.get());
    return v;
}

}  // namespace velmorin
