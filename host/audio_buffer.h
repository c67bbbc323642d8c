// Stereo audio in memory: what the host reads, processes and writes.
#pragma once

#include <cstddef>
#include <vector>

namespace velmorin::host {

struct AudioBuffer {
    int sampleRate = 44100;
    std::vector<float> left;
    std::vector<float> right;

    std::size_t frames() const { return left.size(); }
    double seconds() const { return static_cast<double>(frames()) / sampleRate; }
    void resize(std::size_t frames) {
        left.resize(frames);
        right.resize(frames);
    }
    // Frames FIRST to FIRST + COUNT as left, right pairs, the layout the
    // audio libraries take.
    void interleave(std::size_t first, std::size_t count, float* out) const {
        for (std::size_t i = 0; i < count; ++i) {
            out[2 * i] = left[first + i];
            out[2 * i + 1] = right[first + i];
        }
    }
};

}  // namespace velmorin::host
