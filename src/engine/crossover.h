// The 960 Hz three-way split: high-pass, 0 dB band-pass and low-pass sections
// with Q = 0.5 sharing one denominator. Their numerators add up to the
// denominator, so the three bands sum back to the input.
#pragma once

#include "engine/engine_state.h"

namespace velmorin {

constexpr float kCrossoverHz = 960.0f;

struct BiquadNumerator {
    float b0, b1, b2;
};

struct CrossoverCoefficients {
    float a1, a2;
    BiquadNumerator band[kNumBands];  // High, Mid, Low
};

CrossoverCoefficients crossoverCoefficients(float sampleRate);

}  // namespace velmorin
