// The CLAP state: EffectSettings as a versioned little-endian stream.
// Versions 1 and 2: "VlmS", version, program, the 24-byte name, normalize
// target, DC removal, the parameter count (31) and each stored value as a
// float. A later version reads every earlier one.
#pragma once

#include <clap/stream.h>

#include <optional>

#include "formats/clap/effect_settings.h"

namespace velmorin::clap_format {

bool writeSettings(const clap_ostream_t& stream, const EffectSettings& settings);
// None for a stream that is short, long, foreign, of a later version or holds
// values no instance could have made.
std::optional<EffectSettings> readSettings(const clap_istream_t& stream);

}  // namespace velmorin::clap_format
