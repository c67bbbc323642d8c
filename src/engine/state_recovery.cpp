#include "engine/state_recovery.h"

#include <cmath>

#include "engine/parameter_mapping.h"

namespace velmorin {
namespace {

bool finite(float a) {
    return std::isfinite(a);
}
bool finite(float a, float b) {
    return finite(a) && finite(b);
}

void recoverBands(BandDynamics& bands) {
    const BandDynamics initial;
    for (int32_t b = 0; b < kNumBands; ++b) {
        if (finite(bands.gain[b], bands.target[b]) &&
            finite(bands.releaseRate[b], bands.releaseStep[b]))
            continue;
        bands.gain[b] = initial.gain[b];
        bands.target[b] = initial.target[b];
        bands.phase[b] = initial.phase[b];
        bands.releaseRate[b] = initial.releaseRate[b];
        bands.releaseStep[b] = initial.releaseStep[b];
    }
}

void recoverCrossover(CrossoverState& s) {
    for (int32_t ch = 0; ch < 2; ++ch) {
        if (!finite(s.x1[ch], s.x2[ch])) s.x1[ch] = s.x2[ch] = 0.0f;
        for (int32_t b = 0; b < kNumBands; ++b) {
            if (!finite(s.y1[b][ch], s.y2[b][ch])) s.y1[b][ch] = s.y2[b][ch] = 0.0f;
        }
    }
}

void recoverDc(DcTracker& dc) {
    for (int32_t ch = 0; ch < 2; ++ch) {
        if (!finite(dc.level[ch], dc.slope[ch])) dc.level[ch] = dc.slope[ch] = 0.0f;
    }
}

void recoverLimiter(LimiterDynamics& limiter) {
    if (finite(limiter.gain, limiter.step) && finite(limiter.releaseRate)) return;
    limiter = LimiterDynamics{};
}

}  // namespace

void recoverNonFiniteState(EngineState& engine) {
    recoverBands(engine.bands);
    recoverCrossover(engine.crossover);
    recoverDc(engine.dc);
    recoverLimiter(engine.limiter);
}

float recoveredOutputGain(float outputGain, int32_t storedOutput) {
    if (std::isfinite(outputGain) && outputGain != 0.0f) return outputGain;
    return outputGainFor(storedOutput);
}

}  // namespace velmorin
