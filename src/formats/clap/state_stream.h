// The CLAP state: the settings' bytes (formats/settings/settings_bytes.h),
// exactly those and nothing after them.
#pragma once

#include <clap/stream.h>

#include <optional>

#include "formats/settings/effect_settings.h"

namespace velmorin::clap_format {

bool writeSettings(const clap_ostream_t& stream, const EffectSettings& settings);
// None for a stream that is short, long, foreign, of a later version or holds
// values no instance could have made.
std::optional<EffectSettings> readSettings(const clap_istream_t& stream);

}  // namespace velmorin::clap_format
