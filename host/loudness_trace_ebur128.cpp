// The loudness trace measured by libebur128.
#include <ebur128.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "loudness_trace.h"

namespace velmorin::host {

namespace {

struct StateCloser {
    void operator()(ebur128_state* state) const { ebur128_destroy(&state); }
};

}  // namespace

LoudnessTrace traceLoudness(const AudioBuffer& audio, double stepSeconds) {
    LoudnessTrace trace;
    trace.stepSeconds = stepSeconds;
    std::unique_ptr<ebur128_state, StateCloser> state(ebur128_init(
        2, static_cast<unsigned long>(audio.sampleRate), EBUR128_MODE_S | EBUR128_MODE_TRUE_PEAK));
    if (!state) return trace;
    const auto step = std::max<std::size_t>(1, std::lround(stepSeconds * audio.sampleRate));
    std::vector<float> interleaved(2 * step);
    for (std::size_t start = 0; start < audio.frames(); start += step) {
        const std::size_t frames = std::min(step, audio.frames() - start);
        audio.interleave(start, frames, interleaved.data());
        ebur128_add_frames_float(state.get(), interleaved.data(), frames);
        double loudness = -HUGE_VAL;
        ebur128_loudness_shortterm(state.get(), &loudness);
        double peak = 0.0;
        for (unsigned channel = 0; channel < 2; ++channel) {
            double channelPeak = 0.0;
            ebur128_prev_true_peak(state.get(), channel, &channelPeak);
            peak = std::max(peak, channelPeak);
        }
        trace.shortTermLufs.push_back(loudness);
        trace.truePeakDb.push_back(20.0 * std::log10(peak));
    }
    return trace;
}

}  // namespace velmorin::host
