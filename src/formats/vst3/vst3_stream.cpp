#include "formats/vst3/vst3_stream.h"

#include <array>
#include <cstring>

#include "formats/settings/settings_bytes.h"
#include "formats/vst3/vst3_object.h"

namespace velmorin::vst3 {

namespace {

constexpr char kBypassMagic[4] = {'V', 'l', 'm', 'B'};
constexpr uint8_t kBypassVersion = 1;
using BypassBytes = std::array<uint8_t, 12>;

template <typename Bytes>
bool writeAll(Steinberg_IBStream* stream, Bytes& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        Steinberg_int32 put = 0;
        const auto left = static_cast<Steinberg_int32>(bytes.size() - done);
        if (call(stream, &Steinberg_IBStreamVtbl::write, static_cast<void*>(bytes.data() + done),
                 left, &put) != Steinberg_kResultOk ||
            put <= 0 || put > left)
            return false;
        done += static_cast<size_t>(put);
    }
    return true;
}

// Reads until the buffer is full; a host's stream may hand over less per call.
template <typename Bytes>
bool readAll(Steinberg_IBStream* stream, Bytes& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        Steinberg_int32 got = 0;
        const auto left = static_cast<Steinberg_int32>(bytes.size() - done);
        if (call(stream, &Steinberg_IBStreamVtbl::read, static_cast<void*>(bytes.data() + done),
                 left, &got) != Steinberg_kResultOk ||
            got <= 0 || got > left)
            return false;
        done += static_cast<size_t>(got);
    }
    return true;
}

}  // namespace

bool writeState(Steinberg_IBStream* stream, const ProcessorState& state) {
    if (stream == nullptr) return false;
    SettingsBytes settings = encodeSettings(state.settings);
    BypassBytes bypass{};
    std::memcpy(bypass.data(), kBypassMagic, 4);
    bypass[4] = kBypassVersion;
    bypass[8] = state.bypassed ? 1 : 0;
    return writeAll(stream, settings) && writeAll(stream, bypass);
}

std::optional<ProcessorState> readState(Steinberg_IBStream* stream) {
    SettingsBytes settings{};
    BypassBytes bypass{};
    if (stream == nullptr || !readAll(stream, settings) || !readAll(stream, bypass))
        return std::nullopt;
    const std::optional<EffectSettings> decoded = decodeSettings(settings);
    const BypassBytes expected = {'V', 'l', 'm', 'B', kBypassVersion, 0, 0, 0, bypass[8], 0, 0, 0};
    if (!decoded || bypass != expected || bypass[8] > 1) return std::nullopt;
    return ProcessorState{*decoded, bypass[8] == 1};
}

}  // namespace velmorin::vst3
