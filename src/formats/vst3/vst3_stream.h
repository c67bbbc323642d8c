// What the processor's state holds, in a host's IBStream: the settings'
// bytes (formats/settings/settings_bytes.h), then the host's bypass switch
// as its own versioned word ("VlmB", version, 0 or 1), little-endian.
#pragma once

#include <vst3_c_api.h>

#include <optional>

#include "formats/settings/effect_settings.h"

namespace velmorin::vst3 {

struct ProcessorState {
    EffectSettings settings;
    bool bypassed = false;
};

bool writeState(Steinberg_IBStream* stream, const ProcessorState& state);
// None for a stream that is short, foreign, of a later version or holds
// values no instance could have made. What follows is not ours to judge: a
// host may keep more in the same stream.
std::optional<ProcessorState> readState(Steinberg_IBStream* stream);

}  // namespace velmorin::vst3
