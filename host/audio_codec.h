// The file-format layer under audio_file: libsndfile where it exists, a
// minimal WAV codec where it does not (the Windows cross build). Chosen when
// the host is built.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "audio_buffer.h"
#include "audio_file.h"

namespace velmorin::host {

struct DecodedAudio {
    int sampleRate = 0;
    int channels = 0;
    std::vector<float> interleaved;
    // What the header announces; more than was decoded when the file ends early.
    std::size_t promisedFrames = 0;
};

// WHAT names the file in errors (HostError) when its content is not audio.
DecodedAudio decodeAudio(const std::filesystem::path& path, const std::string& what);

// Writes a complete WAV file at PATH; HostError naming WHAT on failure.
void encodeWav(const std::filesystem::path& path, const AudioBuffer& audio, SampleFormat format,
               const std::string& what);

}  // namespace velmorin::host
