#include "audio_file.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>

#include "audio_codec.h"
#include "host_error.h"
#include "output_file.h"

namespace velmorin::host {

namespace {

// Below this the plug-ins' filters have no room; above it no converter runs.
constexpr int kLowestSampleRate = 2000;
constexpr int kHighestSampleRate = 768000;

}  // namespace

AudioBuffer readAudioFile(const std::filesystem::path& path) {
    const std::string what = "input " + path.string();
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) throw HostError(what, "no such file");
    if (std::filesystem::is_directory(path, ec)) throw HostError(what, "is a folder");
    if (!std::ifstream(path, std::ios::binary)) {
        throw HostError(what, std::string("cannot read: ") + std::strerror(errno));
    }
    const DecodedAudio decoded = decodeAudio(path, what);
    if (decoded.channels < 1 || decoded.channels > 2) {
        throw HostError(what, std::to_string(decoded.channels) +
                                  " channels; only mono and stereo are supported");
    }
    if (decoded.sampleRate < kLowestSampleRate || decoded.sampleRate > kHighestSampleRate) {
        throw HostError(what, "sample rate " + std::to_string(decoded.sampleRate) +
                                  " Hz; supported are " + std::to_string(kLowestSampleRate) +
                                  " to " + std::to_string(kHighestSampleRate) + " Hz");
    }
    if (decoded.interleaved.empty()) throw HostError(what, "contains no audio");

    AudioBuffer audio;
    audio.sampleRate = decoded.sampleRate;
    audio.resize(decoded.interleaved.size() / decoded.channels);
    const int rightChannel = decoded.channels - 1;  // mono goes to both sides
    for (std::size_t frame = 0; frame < audio.frames(); ++frame) {
        audio.left[frame] = decoded.interleaved[frame * decoded.channels];
        audio.right[frame] = decoded.interleaved[frame * decoded.channels + rightChannel];
    }
    return audio;
}

void writeAudioFile(const std::filesystem::path& path, const AudioBuffer& audio,
                    SampleFormat format) {
    PendingOutput output(path);
    encodeWav(output.temporary(), audio, format, output.folderWhat());
    output.commit();
}

}  // namespace velmorin::host
