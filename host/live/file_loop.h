// The file `velmorin live --play` loops into the plug-in in place of its
// inputs, at the server's sample rate (resampled with libsamplerate when the
// file's differs).
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "audio_buffer.h"

namespace velmorin::host {

class FileLoop {
  public:
    // Throws HostError for a file that cannot be read or holds no audio.
    explicit FileLoop(const std::filesystem::path& path);

    // Only while the callback is paused or not yet running: they allocate.
    void setSampleRate(int sampleRate);
    void setMaxFrames(uint32_t frames);

    // The next FRAMES of the loop, for the callback: no allocation.
    const float* const* next(uint32_t frames);

  private:
    std::filesystem::path path_;
    AudioBuffer file_;
    AudioBuffer playing_;  // at the server's rate
    std::size_t position_ = 0;
    std::vector<float> wrapped_[2];  // a period that runs over the end
    const float* channels_[2] = {};
};

}  // namespace velmorin::host
