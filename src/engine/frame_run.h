// A run of frames inside a block: each stage processes the whole run before
// the next stage starts, which keeps every stage's state in registers. The
// stages hand the run on through these buffers.
#pragma once

#include <emmintrin.h>

#include <cstdint>

#include "engine/engine_state.h"

namespace velmorin {

constexpr int32_t kRunFrames = 64;

// Every lane of a run, frame by frame: High, Mid, Low and the band sum, each
// left then right, and each lane's gain. The split writes the bands'
// samples, the band stage their gains, the master stage the band sum and the
// limiter's gain; the display's extremes are taken from it at the run's end.
struct LaneRun {
    alignas(16) float frame[kRunFrames][2 * kNumLanes];
    alignas(16) float gain[kRunFrames][kNumLanes];

    // Frame n's left samples of lanes 0 to 3 as one vector, and its right ones.
    __m128 lefts(int32_t n) const {
        return _mm_shuffle_ps(_mm_load_ps(frame[n]), _mm_load_ps(frame[n] + 4),
                              _MM_SHUFFLE(2, 0, 2, 0));
    }
    __m128 rights(int32_t n) const {
        return _mm_shuffle_ps(_mm_load_ps(frame[n]), _mm_load_ps(frame[n] + 4),
                              _MM_SHUFFLE(3, 1, 3, 1));
    }
};

// What leaves the bands' look-ahead rings at each frame, weighted by the Mix
// levels and the gains that travelled with it, and summed: the band sum,
// left and right.
struct DelayedRun {
    alignas(16) float bandSum[kRunFrames][2];
};

// Ring positions of one frame; both stages step them the same way.
struct RingCursor {
    int32_t read;
    int32_t length;

    int32_t write() const { return read == 0 ? length - 1 : read - 1; }
    // One behind the write slot: where a ramp starts.
    int32_t older() const {
        const int32_t w = write();
        return w == 0 ? length - 1 : w - 1;
    }
    void advance() { read = read + 1 == length ? 0 : read + 1; }
};

}  // namespace velmorin
