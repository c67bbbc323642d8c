// Input DC removal: a slow tracker of the input's offset, subtracted from it.
// The two marked steps run in double precision, as the tracker was tuned with.
#pragma once

#include <cmath>

namespace velmorin {

inline float removeDc(float x, float& level, float& slope) {
    slope = static_cast<float>(static_cast<double>(x - level) * 9.134e-6 + slope);
    if (std::fabs(static_cast<double>(level)) < 2e-9) level = 0.0f;
    level = level + slope;
    if (std::fabs(static_cast<double>(slope)) > 2e-9) {
        slope = static_cast<float>(static_cast<double>(slope) * 0.96);
    } else {
        slope = 0.0f;
    }
    return x - level;
}

}  // namespace velmorin
