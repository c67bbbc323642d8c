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
};

}  // namespace velmorin::host
