#include "engine/parameter_mapping.h"

#include <cmath>

namespace velmorin {
namespace {

constexpr float kNormalizeOnGain = 15.84931f;  // +24 dB, where the normalizer starts

void setOutputValue(EngineState& engine, ProgramRecord& program, int32_t value) {
    engine.stored.output.set(value);
    program.output.set(value);
}

// Under Normalize the limiter threshold also sets the output gain, so that the
// limiter's ceiling lands on the normalize target.
void relinkOutputToLimiter(EngineState& engine, ProgramRecord& program,
                           float stepsBeforeTruncation) {
    setOutputValue(engine, program, truncateToInt(24000.0f - 500.0f * stepsBeforeTruncation));
    const float gain = outputGainFor(engine.stored.output.get()) *
                       normalizeFactorFor(engine.normalizeTarget.get());
    engine.outputGain.set(gain);
    setOutputValue(engine, program, outputValueFor(gain));
    engine.outputLinkPending.set(1);
    engine.outputRelinked.set(1);
}

void runSideEffects(EngineState& engine, ProgramRecord& program, int32_t index,
                    const StoredValue& value) {
    switch (index) {
        case kThrLimiter:
            engine.limiterThresholdGain.set(thresholdGainFor(engine.stored.limiterSteps.get()));
            if (engine.stored.normalize.get())
                relinkOutputToLimiter(engine, program, value.asFloat);
            break;
        case kOutput:
            engine.outputGain.set(outputGainFor(engine.stored.output.get()));
            break;
        case kNormalize:
            if (engine.stored.normalize.get()) {
                engine.normalizeJustOn.set(1);
            } else {
                engine.normalizeJustOn.set(0);
                engine.lastShownOutputGain.set(0.0f);
            }
            break;
        default:
            break;
    }
}

void runClosingSteps(EngineState& engine) {
    if (engine.stored.normalize.get()) {
        if (engine.normalizeJustOn.get()) {
            engine.outputGain.set(kNormalizeOnGain);
            engine.normalizeJustOn.set(0);
            engine.stored.output.set(outputValueFor(kNormalizeOnGain));
        }
    } else {
        engine.normalizeJustOn.set(0);
    }
    engine.parametersChanged.set(1);
}

}  // namespace

float outputGainFor(int32_t outputValue) {
    return std::pow(10.0f, (24000.0f - static_cast<float>(outputValue)) / 20000.0f);
}

int32_t outputValueFor(float gain) {
    return truncateToInt(24000.0f - std::log10(gain) * 20000.0f);
}

float thresholdGainFor(int32_t steps) {
    return std::pow(10.0f, -static_cast<float>(steps) / 40.0f);
}

float normalizeFactorFor(int32_t normalizeTarget) {
    switch (normalizeTarget) {
        case 3:
            return 0.9941f;  // -0.05 dBFS
        case 2:
            return 0.9895f;  // -0.09 dBFS
        case 1:
            return 0.9988f;  // -0.01 dBFS
        default:
            return 0.99995f;  // 0 dBFS
    }
}

void setEngineParameter(EngineState& engine, ProgramRecord& program, int32_t index, float value) {
    if (isParameterIndex(index)) {
        const StoredValue stored = hostToStored(index, value);
        engine.stored.store(index, stored);
        program.store(index, stored);
        runSideEffects(engine, program, index, stored);
    }
    runClosingSteps(engine);
}

float getEngineParameter(const EngineState& engine, int32_t index) {
    return storedToHost(index, engine.stored.storedAsFloat(index));
}

int32_t reportedLatency(const EngineState& engine) {
    return engine.lookAheadOn() ? kLookAheadLatency : 0;
}

}  // namespace velmorin
