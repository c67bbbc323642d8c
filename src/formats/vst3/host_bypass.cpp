#include "formats/vst3/host_bypass.h"

#include <algorithm>
#include <cmath>

namespace velmorin::vst3 {

namespace {

constexpr double kFadeSeconds = 0.01;

}  // namespace

void HostBypass::prepare(int32_t delay, int32_t maxFrames, double sampleRate) {
    delay_ = std::max(delay, 0);
    at_ = 0;
    fadeStep_ = static_cast<float>(1.0 / std::max(1.0, std::round(sampleRate * kFadeSeconds)));
    gain_ = bypassed() ? 1.0f : 0.0f;
    for (int c = 0; c < 2; ++c) {
        line_[c].assign(static_cast<size_t>(delay_), 0.0f);
        delayed_[c].assign(static_cast<size_t>(std::max(maxFrames, 1)), 0.0f);
    }
}

void HostBypass::take(const float* const* inputs, int32_t frames) {
    const int32_t count = std::min(frames, static_cast<int32_t>(delayed_[0].size()));
    const bool needed = gain_ != 0.0f || bypassed();
    for (int c = 0; c < 2; ++c) {
        const float* in = inputs[c];
        float* out = delayed_[c].data();
        if (delay_ == 0) {
            if (needed) std::copy(in, in + count, out);
            continue;
        }
        float* line = line_[c].data();
        if (!needed) {
            // Only the last `delay_` frames are ever taken out again.
            const int32_t skip = std::max(count - delay_, 0);
            const int32_t at = (at_ + skip) % delay_;
            const int32_t first = std::min(count - skip, delay_ - at);
            std::copy(in + skip, in + skip + first, line + at);
            std::copy(in + skip + first, in + count, line);
            continue;
        }
        int32_t at = at_;
        for (int32_t i = 0; i < count; ++i) {
            out[i] = line[at];
            line[at] = in[i];
            if (++at == delay_) at = 0;
        }
    }
    if (delay_ > 0) at_ = (at_ + count) % delay_;
}

void HostBypass::apply(float* const* outputs, int32_t frames) {
    const float target = bypassed() ? 1.0f : 0.0f;
    if (gain_ == 0.0f && target == 0.0f) return;
    const int32_t count = std::min(frames, static_cast<int32_t>(delayed_[0].size()));
    float gain = gain_;
    for (int c = 0; c < 2; ++c) {
        gain = gain_;
        float* out = outputs[c];
        const float* delayed = delayed_[c].data();
        for (int32_t i = 0; i < count; ++i) {
            gain = gain < target ? std::min(gain + fadeStep_, target)
                                 : std::max(gain - fadeStep_, target);
            out[i] = gain == 1.0f ? delayed[i] : out[i] * (1.0f - gain) + delayed[i] * gain;
        }
    }
    gain_ = gain;
}

}  // namespace velmorin::vst3
