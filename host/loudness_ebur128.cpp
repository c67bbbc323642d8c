// Loudness and true peak measured by libebur128.
#include <ebur128.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "loudness.h"

namespace velmorin::host {

namespace {

struct StateCloser {
    void operator()(ebur128_state* state) const { ebur128_destroy(&state); }
};

double toDb(double gain) {
    return 20.0 * std::log10(gain);
}

double channelMaximum(ebur128_state* state, int (*measure)(ebur128_state*, unsigned, double*)) {
    double maximum = 0.0;
    for (unsigned channel = 0; channel < 2; ++channel) {
        double peak = 0.0;
        measure(state, channel, &peak);
        maximum = std::max(maximum, peak);
    }
    return maximum;
}

}  // namespace

Loudness measureLoudness(const AudioBuffer& audio) {
    std::unique_ptr<ebur128_state, StateCloser> state(ebur128_init(
        2, static_cast<unsigned long>(audio.sampleRate),
        EBUR128_MODE_I | EBUR128_MODE_LRA | EBUR128_MODE_SAMPLE_PEAK | EBUR128_MODE_TRUE_PEAK));
    if (!state) return {};  // a sample rate the library does not measure
    constexpr std::size_t kChunkFrames = 4096;
    float interleaved[kChunkFrames * 2];
    for (std::size_t start = 0; start < audio.frames(); start += kChunkFrames) {
        const std::size_t frames = std::min(kChunkFrames, audio.frames() - start);
        audio.interleave(start, frames, interleaved);
        ebur128_add_frames_float(state.get(), interleaved, frames);
    }
    Loudness loudness{toDb(channelMaximum(state.get(), ebur128_sample_peak)),
                      toDb(channelMaximum(state.get(), ebur128_true_peak)), std::nullopt,
                      std::nullopt};
    double value = 0.0;
    if (ebur128_loudness_global(state.get(), &value) == EBUR128_SUCCESS) {
        loudness.integratedLufs = value;
    }
    if (ebur128_loudness_range(state.get(), &value) == EBUR128_SUCCESS) loudness.rangeLu = value;
    return loudness;
}

}  // namespace velmorin::host
