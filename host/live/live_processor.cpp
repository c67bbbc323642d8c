#include "live/live_processor.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

namespace velmorin::host {

namespace {

void silence(float* const* outputs, uint32_t frames) {
    for (int channel = 0; channel < 2; ++channel)
        std::memset(outputs[channel], 0, frames * sizeof(float));
}

}  // namespace

void LiveProcessor::process(const float* const* inputs, float* const* outputs, uint32_t frames,
                            double sampleRate) {
    busy_.store(true);
    if (paused_.load() || frames > static_cast<uint32_t>(plugin_.blockSize())) {
        silence(outputs, frames);
        busy_.store(false, std::memory_order_release);
        return;
    }
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    const float* const* source = file_ ? file_->next(frames) : inputs;
    try {
        plugin_.process(source, outputs, static_cast<int32_t>(frames));
    } catch (...) {
        // A plug-in that fails a block (a CLAP error status) gives silence;
        // nothing may leave the server's thread.
        silence(outputs, frames);
    }
    const double taken = std::chrono::duration<double>(Clock::now() - start).count();
    busy_.store(false, std::memory_order_release);

    const double share = taken * sampleRate / frames;
    periods_.store(periods_.load(std::memory_order_relaxed) + 1, std::memory_order_relaxed);
    loadSum_.store(loadSum_.load(std::memory_order_relaxed) + share, std::memory_order_relaxed);
    if (share > loadMax_.load(std::memory_order_relaxed))
        loadMax_.store(share, std::memory_order_relaxed);
}

void LiveProcessor::pause() {
    paused_.store(true);
    while (busy_.load()) std::this_thread::yield();
}

CallbackLoad LiveProcessor::load() const {
    const uint64_t periods = periods_.load(std::memory_order_relaxed);
    if (periods == 0) return {};
    return {periods, loadSum_.load(std::memory_order_relaxed) / static_cast<double>(periods),
            loadMax_.load(std::memory_order_relaxed)};
}

}  // namespace velmorin::host
