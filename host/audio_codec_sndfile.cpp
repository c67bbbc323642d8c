// The audio codec over libsndfile: reads whatever it reads, writes WAV.
#include <sndfile.h>

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <memory>

#include "audio_codec.h"
#include "host_error.h"

namespace velmorin::host {

namespace {

struct SndfileCloser {
    void operator()(SNDFILE* file) const { sf_close(file); }
};
using SndfileHandle = std::unique_ptr<SNDFILE, SndfileCloser>;

int subtype(SampleFormat format) {
    switch (format) {
        case SampleFormat::pcm24:
            return SF_FORMAT_PCM_24;
        case SampleFormat::pcm16:
            return SF_FORMAT_PCM_16;
        case SampleFormat::float32:
            break;
    }
    return SF_FORMAT_FLOAT;
}

// libsndfile fits the frame count of a file that ends before its header says
// to what is there, and notes the header's figure in its log as
// "data : <announced bytes> (should be <bytes there>)" (AIFF: "SSND : ...").
std::size_t announcedFrames(SNDFILE* file, sf_count_t framesThere) {
    char log[4096] = {};
    sf_command(file, SFC_GET_LOG_INFO, log, sizeof log);
    for (const char* chunk : {"\ndata : ", "\nSSND : "}) {
        const char* line = std::strstr(log, chunk);
        uintmax_t announced = 0;
        uintmax_t there = 0;
        if (line &&
            std::sscanf(line + std::strlen(chunk), "%ju (should be %ju)", &announced, &there) ==
                2 &&
            there > 0 && announced > there && framesThere > 0) {
            const double bytesPerFrame = static_cast<double>(there) / framesThere;
            return static_cast<std::size_t>(static_cast<double>(announced) / bytesPerFrame);
        }
    }
    return 0;
}

}  // namespace

DecodedAudio decodeAudio(const std::filesystem::path& path, const std::string& what) {
    SF_INFO info{};
    SndfileHandle file(sf_open(path.string().c_str(), SFM_READ, &info));
    if (!file) throw HostError(what, std::string("not audio (") + sf_strerror(nullptr) + ")");
    DecodedAudio decoded;
    decoded.sampleRate = info.samplerate;
    decoded.channels = info.channels;
    if (info.channels < 1 || info.channels > 2) return decoded;  // refused by the caller
    // In chunks until the data ends: a header may claim more frames than the
    // file holds, and memory must follow what is really there.
    constexpr sf_count_t kChunkFrames = 65536;
    std::size_t filled = 0;
    for (;;) {
        decoded.interleaved.resize(filled + static_cast<std::size_t>(kChunkFrames) * info.channels);
        const sf_count_t read =
            sf_readf_float(file.get(), decoded.interleaved.data() + filled, kChunkFrames);
        filled += static_cast<std::size_t>(std::max<sf_count_t>(read, 0)) * info.channels;
        if (read < kChunkFrames) break;
    }
    decoded.interleaved.resize(filled);
    decoded.promisedFrames = std::max(static_cast<std::size_t>(info.frames),
                                      announcedFrames(file.get(), info.frames));
    return decoded;
}

void encodeWav(const std::filesystem::path& path, const AudioBuffer& audio, SampleFormat format,
               const std::string& what) {
    SF_INFO info{};
    info.samplerate = audio.sampleRate;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | subtype(format);
    SndfileHandle file(sf_open(path.string().c_str(), SFM_WRITE, &info));
    if (!file) throw HostError(what, std::string("cannot write (") + sf_strerror(nullptr) + ")");
    // No PEAK chunk: it carries a time stamp, and equal audio should give equal files.
    sf_command(file.get(), SFC_SET_ADD_PEAK_CHUNK, nullptr, SF_FALSE);
    sf_command(file.get(), SFC_SET_CLIPPING, nullptr, SF_TRUE);

    constexpr std::size_t kChunkFrames = 4096;
    float interleaved[kChunkFrames * 2];
    for (std::size_t start = 0; start < audio.frames(); start += kChunkFrames) {
        const std::size_t frames = std::min(kChunkFrames, audio.frames() - start);
        audio.interleave(start, frames, interleaved);
        const auto count = static_cast<sf_count_t>(frames);
        if (sf_writef_float(file.get(), interleaved, count) != count) {
            throw HostError(what, std::string("cannot write (") + sf_strerror(file.get()) + ")");
        }
    }
    if (sf_close(file.release()) != 0) throw HostError(what, "cannot finish the file");
}

}  // namespace velmorin::host
