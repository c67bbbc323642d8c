// Everything an instance keeps that a saved session must bring back: the
// program with its name and values, and the settings that are not parameters.
#pragma once

#include <array>
#include <cstdint>

#include "engine/effect.h"
#include "params/parameter_table.h"
#include "params/program_bank.h"

namespace velmorin::clap_format {

struct EffectSettings {
    int32_t program = 0;
    char programName[kProgramNameSize] = {};
    std::array<float, kNumParameters> stored = {};  // stored units
    int32_t normalizeTarget = 0;
    int32_t dcRemoval = 0;
};

EffectSettings settingsOf(const Effect& effect);
// A factory program as it ships, whatever the instance has made of it since.
EffectSettings factorySettings(const Effect& effect, int32_t program);
// Expects a program index in range and finite values.
void applySettings(Effect& effect, const EffectSettings& settings);

}  // namespace velmorin::clap_format
