// What a parameter change does to the engine: store the converted value in the
// engine and in the current program record, then run its side effects.
#pragma once

#include <cstdint>

#include "engine/engine_state.h"
#include "params/program_bank.h"

namespace velmorin {

// Linear gain of a stored Output value: 24000 is 0 dB, 0 is +24 dB.
float outputGainFor(int32_t outputValue);
// The Output value of a linear gain, truncated: what a gain the normalizer
// arrived at becomes as a setting.
int32_t outputValueFor(float gain);
// Linear gain of a threshold in half-decibel steps below full scale.
float thresholdGainFor(int32_t steps);
// Peak level the normalizer aims at for each target of the context menu.
float normalizeFactorFor(int32_t normalizeTarget);

void setEngineParameter(EngineState& engine, ProgramRecord& program, int32_t index, float value);
float getEngineParameter(const EngineState& engine, int32_t index);

// Latency reported to the host: only a look-ahead of exactly 1.0 is on.
int32_t reportedLatency(const EngineState& engine);

}  // namespace velmorin
