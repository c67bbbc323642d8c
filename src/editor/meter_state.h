// The meters' memory between display ticks: smoothed bar heights, held peak
// marks with their hold counters, and the read-out's tick counter. It lives in
// the editor view, so closing and reopening the editor keeps it.
#pragma once

#include <array>
#include <cstdint>

#include "editor/wave_geometry.h"

namespace velmorin {

inline constexpr int kOutputBars = 2;  // left, right

struct MeterState {
    // Heights above full scale make a new effect's meters fall into place
    // during the first ticks.
    std::array<int16_t, kWaveDisplayCount> bandMeterHeight{257, 257, 257, 257};
    std::array<int32_t, kWaveDisplayCount> bandPeakMark{270, 270, 270, 270};  // held bar + 13
    std::array<int32_t, kWaveDisplayCount> bandHoldCount{1, 1, 1, 1};
    std::array<int16_t, kOutputBars> outMeterHeight{256, 256};
    std::array<int32_t, kOutputBars> outPeakMark{0, 0};  // 302 - held bar
    int32_t outHoldCount = 1;                            // shared by both bars
    uint8_t readoutPhase = 0;                            // the read-out is drawn when this is 0
};

}  // namespace velmorin
