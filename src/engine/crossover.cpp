#include "engine/crossover.h"

#include <cmath>

namespace velmorin {

CrossoverCoefficients crossoverCoefficients(float sampleRate) {
    const float w = (6.2831855f / sampleRate) * kCrossoverHz;
    const float s = std::sin(w);
    const float c = std::cos(w);
    const float a0 = 1.0f + s;

    CrossoverCoefficients k;
    k.a1 = -2.0f * c / a0;
    k.a2 = (1.0f - s) / a0;
    const float highB0 = (1.0f + c) / (2.0f * a0);
    k.band[0] = {highB0, -(1.0f + c) / a0, highB0};
    k.band[1] = {s / a0, 0.0f, -s / a0};
    const float lowB0 = (1.0f - c) / (2.0f * a0);
    k.band[2] = {lowB0, (1.0f - c) / a0, lowB0};
    return k;
}

}  // namespace velmorin
