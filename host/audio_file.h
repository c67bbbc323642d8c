// Reading and writing audio files. Mono input is spread to both channels;
// more than two channels is refused. Output is written to a temporary name in
// the same folder and renamed only when complete.
#pragma once

#include <filesystem>

#include "audio_buffer.h"

namespace velmorin::host {

enum class SampleFormat { float32, pcm24, pcm16 };

// Throws HostError naming the file: missing, unreadable, not audio, more than
// two channels, or empty.
AudioBuffer readAudioFile(const std::filesystem::path& path);

// A WAV file; throws HostError naming the file or its folder.
void writeAudioFile(const std::filesystem::path& path, const AudioBuffer& audio,
                    SampleFormat format);

}  // namespace velmorin::host
