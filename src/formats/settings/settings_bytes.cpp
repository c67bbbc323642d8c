#include "formats/settings/settings_bytes.h"

#include <bit>
#include <cmath>
#include <cstring>

#include "params/parameter_unit.h"

namespace velmorin {

namespace {

constexpr char kMagic[4] = {'V', 'l', 'm', 'S'};
// Version 2 came with parameter values in the units the editor shows; the
// stream keeps stored units, so version 1 reads alike, and a build that
// knows only version 1 refuses a session its host automates in the new units.
constexpr uint32_t kVersion = 2;
constexpr uint32_t kOldestVersion = 1;

// What an instance may come to hold: a value shown in whole steps lies in its
// range, which a host reads back as the parameter's. Output is the exception:
// the normalizer may carry it past the fader's ends, and the core limits it.
bool couldHaveBeenSaved(int32_t index, float stored) {
    if (!std::isfinite(stored)) return false;
    const ParameterInfo& info = parameterInfo(index);
    if (index == kOutput || parameterUnit(info.kind).stepping == Stepping::Continuous) return true;
    return stored >= info.minimum && stored <= info.maximum;
}

class Writer {
  public:
    explicit Writer(SettingsBytes& bytes) : bytes_(bytes) {}
    void raw(const void* data, size_t size) {
        std::memcpy(bytes_.data() + at_, data, size);
        at_ += size;
    }
    void word(uint32_t value) {
        for (int shift = 0; shift < 32; shift += 8) bytes_[at_++] = (value >> shift) & 0xffu;
    }

  private:
    SettingsBytes& bytes_;
    size_t at_ = 0;
};

class Reader {
  public:
    explicit Reader(std::span<const uint8_t, kSettingsBytes> bytes) : bytes_(bytes) {}
    void raw(void* data, size_t size) {
        std::memcpy(data, bytes_.data() + at_, size);
        at_ += size;
    }
    uint32_t word() {
        uint32_t value = 0;
        for (int shift = 0; shift < 32; shift += 8) value |= uint32_t{bytes_[at_++]} << shift;
        return value;
    }

  private:
    std::span<const uint8_t, kSettingsBytes> bytes_;
    size_t at_ = 0;
};

}  // namespace

SettingsBytes encodeSettings(const EffectSettings& settings) {
    SettingsBytes bytes{};
    Writer out(bytes);
    out.raw(kMagic, sizeof kMagic);
    out.word(kVersion);
    out.word(static_cast<uint32_t>(settings.program));
    out.raw(settings.programName, kProgramNameSize);
    out.word(static_cast<uint32_t>(settings.normalizeTarget));
    out.word(static_cast<uint32_t>(settings.dcRemoval));
    out.word(kNumParameters);
    for (float value : settings.stored) out.word(std::bit_cast<uint32_t>(value));
    return bytes;
}

std::optional<EffectSettings> decodeSettings(std::span<const uint8_t, kSettingsBytes> bytes) {
    Reader in(bytes);
    char magic[4];
    in.raw(magic, sizeof magic);
    if (std::memcmp(magic, kMagic, sizeof magic) != 0) return std::nullopt;
    const uint32_t version = in.word();
    if (version < kOldestVersion || version > kVersion) return std::nullopt;

    EffectSettings settings;
    settings.program = static_cast<int32_t>(in.word());
    in.raw(settings.programName, kProgramNameSize);
    settings.programName[kProgramNameSize - 1] = '\0';
    settings.normalizeTarget = static_cast<int32_t>(in.word());
    settings.dcRemoval = static_cast<int32_t>(in.word());
    if (!ProgramBank::isProgramIndex(settings.program) || in.word() != kNumParameters)
        return std::nullopt;
    for (int32_t index = 0; index < kNumParameters; ++index) {
        settings.stored[index] = std::bit_cast<float>(in.word());
        if (!couldHaveBeenSaved(index, settings.stored[index])) return std::nullopt;
    }
    return settings;
}

}  // namespace velmorin
