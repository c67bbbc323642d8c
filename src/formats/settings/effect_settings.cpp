#include "formats/settings/effect_settings.h"

#include <cstring>

namespace velmorin {

EffectSettings settingsOf(const Effect& effect) {
    EffectSettings settings;
    settings.program = effect.program();
    effect.programName(settings.programName);
    for (int32_t index = 0; index < kNumParameters; ++index) {
        settings.stored[index] = effect.storedValue(index);
    }
    settings.normalizeTarget = effect.normalizeTarget();
    settings.dcRemoval = effect.dcRemoval();
    return settings;
}

EffectSettings factorySettings(const Effect& effect, int32_t program) {
    const ProgramBank factory;
    const ProgramRecord& record = factory[program];
    EffectSettings settings;
    settings.program = program;
    std::memcpy(settings.programName, record.name, kProgramNameSize);
    for (int32_t index = 0; index < kNumParameters; ++index) {
        settings.stored[index] = record.storedAsFloat(index);
    }
    settings.normalizeTarget = effect.normalizeTarget();
    settings.dcRemoval = effect.dcRemoval();
    return settings;
}

void selectProgramValues(Effect& effect, const EffectSettings& settings) {
    // The target first: under Normalize the limiter threshold links Output to it.
    effect.setNormalizeTarget(settings.normalizeTarget);
    effect.setDcRemoval(settings.dcRemoval);
    effect.setProgram(settings.program);
    // In the order program selection replays, so that derived values (Output
    // under Normalize) come out as they did when the settings were made.
    for (int32_t index : kReplayOrder) effect.setParameter(index, settings.stored[index]);
}

void selectSettings(Effect& effect, const EffectSettings& settings) {
    selectProgramValues(effect, settings);
    effect.setProgramName(settings.programName);
}

void restoreSettings(Effect& effect, const EffectSettings& settings) {
    selectSettings(effect, settings);
    // Output as saved where the normalizer or the user had moved it; where
    // the replay derived the same value, its exact gain stays, so the sound
    // is the one the settings had, not one rebuilt from the truncated value.
    if (effect.storedValue(kOutput) != settings.stored[kOutput])
        effect.setParameter(kOutput, settings.stored[kOutput]);
}

}  // namespace velmorin
