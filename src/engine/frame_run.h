// A run of frames inside a block: each stage processes the whole run before
// the next stage starts, which keeps every stage's state in registers. The
// stages hand the run on through these buffers.
#pragma once

#include <cstdint>

#include "engine/engine_state.h"

namespace velmorin {

constexpr int32_t kRunFrames = 64;

// The crossover's output: per frame High, Mid and Low, left then right (two
// unused slots keep each frame two vectors wide).
struct SplitRun {
    alignas(16) float frame[kRunFrames][8];
    float left(int32_t band, int32_t n) const { return frame[n][2 * band]; }
    float right(int32_t band, int32_t n) const { return frame[n][2 * band + 1]; }
};

// What leaves each band's look-ahead ring at each frame: the sample and the
// gain that travelled with it.
struct DelayedRun {
    float left[kNumBands][kRunFrames];
    float right[kNumBands][kRunFrames];
    float gain[kNumBands][kRunFrames];
};

// Ring positions of one frame; both stages step them the same way.
struct RingCursor {
    int32_t read;
    int32_t length;

    int32_t write() const { return read == 0 ? length - 1 : read - 1; }
    void advance() { read = read + 1 == length ? 0 : read + 1; }
};

}  // namespace velmorin
