// The host's bypass: the input passed through delayed by the latency the
// host was told of, so its delay compensation stays right, and reached by a
// short crossfade either way, so that switching never clicks. While not
// bypassed and not fading the effect's output is left as it is, bit for bit.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "params/relaxed.h"

namespace velmorin::vst3 {

class HostBypass {
  public:
    // Outside processing: the delay and the most frames one call takes.
    void prepare(int32_t delay, int32_t maxFrames, double sampleRate);
    // From any thread; the audio thread fades toward it.
    void setBypassed(bool bypassed) { bypassed_.set(bypassed); }
    bool bypassed() const { return bypassed_.get(); }

    // Before the effect runs on these frames (it may write over them in
    // place): keeps them and takes out the input of `delay` frames ago.
    void take(const float* const* inputs, int32_t frames);
    // After it ran: crossfades the output toward what take() took out.
    void apply(float* const* outputs, int32_t frames);

  private:
    int32_t delay_ = 0;
    int32_t at_ = 0;
    float fadeStep_ = 1.0f / 441.0f;
    float gain_ = 0.0f;  // 0: the effect, 1: the delayed input
    Relaxed<bool> bypassed_{false};
    std::array<std::vector<float>, 2> line_;
    std::array<std::vector<float>, 2> delayed_;
};

}  // namespace velmorin::vst3
