#include "engine/dither_noise.h"

namespace velmorin {

DitherNoise::DitherNoise(uint32_t seed) {
    int64_t word = seed == 0 ? 1 : seed;
    state_[0] = static_cast<uint32_t>(word);
    for (int32_t i = 1; i < kTaps; ++i) {
        word = (16807 * word) % 2147483647;
        state_[i] = static_cast<uint32_t>(word);
    }
    // x[31..33] repeat x[0..2], which the ring already holds in place; then
    // the first 310 values are discarded.
    index_ = 34 % kTaps;
    for (int32_t i = 34; i < 344; ++i) next();
}

}  // namespace velmorin
