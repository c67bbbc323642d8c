// A minimal WAV codec for builds without libsndfile (the Windows cross build,
// for which Debian packages no libsndfile): 16-, 24- and 32-bit integer and
// 32-bit float PCM, plain or extensible, little-endian. Unknown chunks are
// skipped.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>

#include "audio_codec.h"
#include "host_error.h"

namespace velmorin::host {

namespace {

constexpr uint16_t kTagPcm = 1;
constexpr uint16_t kTagFloat = 3;
constexpr uint16_t kTagExtensible = 0xfffe;

uint32_t readLittle(const unsigned char* bytes, int count) {
    uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) value = (value << 8) | bytes[i];
    return value;
}

float decodeSample(const unsigned char* bytes, uint16_t tag, int bits) {
    if (tag == kTagFloat) {
        const uint32_t word = readLittle(bytes, 4);
        float value;
        std::memcpy(&value, &word, sizeof value);
        return value;
    }
    // Left-justify into 32 bits so the sign lands in place, then scale.
    const uint32_t word = readLittle(bytes, bits / 8) << (32 - bits);
    return static_cast<float>(static_cast<int32_t>(word)) / 2147483648.0f;
}

struct Format {
    uint16_t tag = 0;
    int channels = 0;
    int sampleRate = 0;
    int bits = 0;
};

Format parseFormat(const std::vector<unsigned char>& chunk, const std::string& what) {
    if (chunk.size() < 16) throw HostError(what, "not audio (short format chunk)");
    Format format;
    format.tag = static_cast<uint16_t>(readLittle(&chunk[0], 2));
    format.channels = static_cast<int>(readLittle(&chunk[2], 2));
    format.sampleRate = static_cast<int>(readLittle(&chunk[4], 4));
    format.bits = static_cast<int>(readLittle(&chunk[14], 2));
    if (format.tag == kTagExtensible && chunk.size() >= 26) {
        format.tag = static_cast<uint16_t>(readLittle(&chunk[24], 2));  // sub-format GUID
    }
    const bool integer =
        format.tag == kTagPcm && (format.bits == 16 || format.bits == 24 || format.bits == 32);
    const bool floating = format.tag == kTagFloat && format.bits == 32;
    if (!(integer || floating) || format.channels < 1 || format.sampleRate < 1) {
        throw HostError(what, "not audio this build reads (16/24/32-bit or float WAV)");
    }
    return format;
}

void put(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xff));
}

void encodeSample(std::string& out, float value, SampleFormat format) {
    if (format == SampleFormat::float32) {
        uint32_t word;
        std::memcpy(&word, &value, sizeof word);
        put(out, word, 4);
        return;
    }
    const int bits = format == SampleFormat::pcm24 ? 24 : 16;
    const float scale = static_cast<float>(1 << (bits - 1));
    const float clipped = std::min(std::max(value * scale, -scale), scale - 1.0f);
    put(out, static_cast<uint32_t>(static_cast<int32_t>(std::lrint(clipped))), bits / 8);
}

}  // namespace

DecodedAudio decodeAudio(const std::filesystem::path& path, const std::string& what) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)),
                                           std::istreambuf_iterator<char>());
    if (bytes.size() < 12 || std::memcmp(&bytes[0], "RIFF", 4) != 0 ||
        std::memcmp(&bytes[8], "WAVE", 4) != 0) {
        throw HostError(what, "not audio (this build reads WAV files only)");
    }
    Format format;
    DecodedAudio decoded;
    bool haveFormat = false;
    for (std::size_t at = 12; at + 8 <= bytes.size();) {
        const uint32_t size = readLittle(&bytes[at + 4], 4);
        const std::size_t body = at + 8;
        const std::size_t available = std::min<std::size_t>(size, bytes.size() - body);
        if (std::memcmp(&bytes[at], "fmt ", 4) == 0) {
            format = parseFormat({&bytes[body], &bytes[body] + available}, what);
            decoded.sampleRate = format.sampleRate;
            decoded.channels = format.channels;
            haveFormat = true;
        } else if (std::memcmp(&bytes[at], "data", 4) == 0) {
            if (!haveFormat) throw HostError(what, "not audio (data before format)");
            if (format.channels > 2) return decoded;  // refused by the caller
            const std::size_t width = static_cast<std::size_t>(format.bits / 8);
            const std::size_t samples = available / width / format.channels * format.channels;
            decoded.interleaved.resize(samples);
            decoded.promisedFrames = size / width / format.channels;
            for (std::size_t i = 0; i < samples; ++i) {
                decoded.interleaved[i] =
                    decodeSample(&bytes[body + i * width], format.tag, format.bits);
            }
            return decoded;
        }
        at = body + size + (size & 1);  // chunks are padded to even sizes
    }
    throw HostError(what, "not audio (no data chunk)");
}

void encodeWav(const std::filesystem::path& path, const AudioBuffer& audio, SampleFormat format,
               const std::string& what) {
    const int bytesPerSample = format == SampleFormat::float32 ? 4
                               : format == SampleFormat::pcm24 ? 3
                                                               : 2;
    const auto dataSize = static_cast<uint32_t>(audio.frames() * 2 * bytesPerSample);
    std::string out;
    out.reserve(44 + dataSize);
    out += "RIFF";
    put(out, 36 + dataSize, 4);
    out += "WAVEfmt ";
    put(out, 16, 4);
    put(out, format == SampleFormat::float32 ? kTagFloat : kTagPcm, 2);
    put(out, 2, 2);
    put(out, static_cast<uint32_t>(audio.sampleRate), 4);
    put(out, static_cast<uint32_t>(audio.sampleRate * 2 * bytesPerSample), 4);
    put(out, static_cast<uint32_t>(2 * bytesPerSample), 2);
    put(out, static_cast<uint32_t>(8 * bytesPerSample), 2);
    out += "data";
    put(out, dataSize, 4);
    for (std::size_t frame = 0; frame < audio.frames(); ++frame) {
        encodeSample(out, audio.left[frame], format);
        encodeSample(out, audio.right[frame], format);
    }
    std::ofstream file(path, std::ios::binary);
    if (!file) throw HostError(what, "cannot create a file there");
    file.write(out.data(), static_cast<std::streamsize>(out.size()));
    file.close();
    if (!file) throw HostError(what, "cannot write");
}

}  // namespace velmorin::host
