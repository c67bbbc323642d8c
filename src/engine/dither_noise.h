// Dither noise source: a per-instance, lock-free generator that yields the same
// sequence as glibc's rand() after srand(1) (the additive feedback generator
// x[i] = x[i-3] + x[i-31], seeded by a Lehmer sequence, first 310 outputs
// dropped). Each instance is reproducible and independent of the process.
#pragma once

#include <cstdint>

namespace velmorin {

class DitherNoise {
  public:
    explicit DitherNoise(uint32_t seed = 1);
    // Next value in 0 .. 2^31 - 1.
    int32_t next() {
        const int32_t i = index_;
        const int32_t older = i + 28 >= kTaps ? i + 28 - kTaps : i + 28;  // x[i-3]
        state_[i] += state_[older];                                       // x[i-31] + x[i-3]
        index_ = i + 1 == kTaps ? 0 : i + 1;
        return static_cast<int32_t>(state_[i] >> 1);
    }

  private:
    static constexpr int32_t kTaps = 31;
    uint32_t state_[kTaps];
    int32_t index_ = 0;
};

}  // namespace velmorin
