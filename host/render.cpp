#include "render.h"

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "host_error.h"

namespace velmorin::host {

namespace {

// No effect delays its output by more than this; a larger figure is nonsense.
constexpr int kMaxLatencySeconds = 10;

}  // namespace

RenderResult render(PluginInstance& plugin, const AudioBuffer& input, bool compensate,
                    const ProgressCallback& progress) {
    const auto block = static_cast<std::size_t>(plugin.blockSize());
    std::vector<float> in[2] = {std::vector<float>(block), std::vector<float>(block)};
    std::vector<float> out[2] = {std::vector<float>(block), std::vector<float>(block)};
    const float* inputs[2] = {in[0].data(), in[1].data()};
    float* outputs[2] = {out[0].data(), out[1].data()};
    const std::vector<float>* source[2] = {&input.left, &input.right};

    RenderResult result;
    result.output.sampleRate = input.sampleRate;
    result.output.resize(input.frames());
    std::vector<float>* target[2] = {&result.output.left, &result.output.right};

    plugin.start();
    // Effects may change their latency up to the start of processing.
    result.latency = plugin.latency();
    if (compensate && result.latency > kMaxLatencySeconds * input.sampleRate) {
        throw HostError(plugin.what(), "reports a latency of " + std::to_string(result.latency) +
                                           " frames, over " + std::to_string(kMaxLatencySeconds) +
                                           " s: nothing to compensate");
    }
    const std::size_t skip = compensate ? static_cast<std::size_t>(std::max(result.latency, 0)) : 0;
    const std::size_t total = input.frames() + skip;
    const auto began = std::chrono::steady_clock::now();
    for (std::size_t position = 0; position < total; position += block) {
        const std::size_t frames = std::min(block, total - position);
        const std::size_t available = position < input.frames() ? input.frames() - position : 0;
        const std::size_t taken = std::min(frames, available);
        for (int channel = 0; channel < 2; ++channel) {
            auto from = source[channel]->begin() + static_cast<std::ptrdiff_t>(position);
            std::copy(from, from + static_cast<std::ptrdiff_t>(taken), in[channel].begin());
            std::fill(in[channel].begin() + static_cast<std::ptrdiff_t>(taken),
                      in[channel].begin() + static_cast<std::ptrdiff_t>(frames), 0.0f);
        }
        plugin.process(inputs, outputs, static_cast<int32_t>(frames));
        // Output frame position - skip belongs to input frame position - skip.
        const std::size_t first = position < skip ? skip - position : 0;
        for (std::size_t i = first; i < frames; ++i) {
            (*target[0])[position + i - skip] = out[0][i];
            (*target[1])[position + i - skip] = out[1][i];
        }
        if (progress) progress(position + frames, total);
    }
    result.processSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    plugin.stop();
    return result;
}

}  // namespace velmorin::host
