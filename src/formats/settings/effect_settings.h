// Everything an instance keeps that a saved session must bring back: the
// program with its name and values, and the settings that are not parameters.
#pragma once

#include <array>
#include <cstdint>

#include "engine/effect.h"
#include "params/parameter_table.h"
#include "params/program_bank.h"

namespace velmorin {

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
// Both expect a program index in range and finite values.
// As program selection does: under Normalize the limiter threshold derives
// the output gain, as the VST 2.4 build's programs sound.
void selectSettings(Effect& effect, const EffectSettings& settings);
// As selectSettings, but the program keeps the name it has: for the audio
// thread, which never writes a name another thread may be reading.
void selectProgramValues(Effect& effect, const EffectSettings& settings);
// Exactly as saved: the output gain too, wherever Normalize had taken it.
void restoreSettings(Effect& effect, const EffectSettings& settings);

}  // namespace velmorin
