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

// One band's output for one channel; history is that band's and channel's.
inline float filterBand(const CrossoverCoefficients& c, const BiquadNumerator& b,
                        const CrossoverState& s, int32_t band, int32_t channel, float x) {
    // The constant keeps the recursion out of denormal numbers.
    return b.b0 * x + b.b1 * s.x1[channel] + b.b2 * s.x2[channel] - c.a1 * s.y1[band][channel] -
           c.a2 * s.y2[band][channel] + 1e-11f;
}

// Moves the history one frame on, after every band has used it.
inline void shiftCrossoverHistory(CrossoverState& s, const float input[2],
                                  const float output[kNumBands][2]) {
    for (int32_t channel = 0; channel < 2; ++channel) {
        s.x2[channel] = s.x1[channel];
        s.x1[channel] = input[channel];
        for (int32_t band = 0; band < kNumBands; ++band) {
            s.y2[band][channel] = s.y1[band][channel];
            s.y1[band][channel] = output[band][channel];
        }
    }
}

}  // namespace velmorin
