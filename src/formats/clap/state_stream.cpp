#include "formats/clap/state_stream.h"

#include "formats/settings/settings_bytes.h"

namespace velmorin::clap_format {

namespace {

// Reads until the buffer is full; a host's stream may hand over less per call.
bool readAll(const clap_istream_t& stream, uint8_t* data, size_t size) {
    size_t done = 0;
    while (done < size) {
        const int64_t got = stream.read(&stream, data + done, size - done);
        if (got <= 0 || static_cast<uint64_t>(got) > size - done) return false;
        done += static_cast<size_t>(got);
    }
    return true;
}

bool atEnd(const clap_istream_t& stream) {
    uint8_t extra;
    return stream.read(&stream, &extra, 1) == 0;
}

}  // namespace

bool writeSettings(const clap_ostream_t& stream, const EffectSettings& settings) {
    const SettingsBytes bytes = encodeSettings(settings);
    size_t done = 0;
    while (done < bytes.size()) {
        const int64_t put = stream.write(&stream, bytes.data() + done, bytes.size() - done);
        if (put <= 0 || static_cast<uint64_t>(put) > bytes.size() - done) return false;
        done += static_cast<size_t>(put);
    }
    return true;
}

std::optional<EffectSettings> readSettings(const clap_istream_t& stream) {
    SettingsBytes bytes{};
    if (stream.read == nullptr || !readAll(stream, bytes.data(), bytes.size()) || !atEnd(stream))
        return std::nullopt;
    return decodeSettings(bytes);
}

}  // namespace velmorin::clap_format
