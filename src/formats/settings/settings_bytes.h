// EffectSettings as the bytes every format's state holds, little-endian and
// versioned. Versions 1 and 2: "VlmS", version, program, the 24-byte name,
// normalize target, DC removal, the parameter count (31) and each stored
// value as a float. A later version reads every earlier one.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "formats/settings/effect_settings.h"

namespace velmorin {

constexpr size_t kSettingsBytes = 4 + 4 + 4 + kProgramNameSize + 4 + 4 + 4 + 4 * kNumParameters;
using SettingsBytes = std::array<uint8_t, kSettingsBytes>;

SettingsBytes encodeSettings(const EffectSettings& settings);
// None for bytes that are foreign, of a later version or hold values no
// instance could have made.
std::optional<EffectSettings> decodeSettings(std::span<const uint8_t, kSettingsBytes> bytes);

}  // namespace velmorin
