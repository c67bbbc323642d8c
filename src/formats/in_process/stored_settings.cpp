#include "formats/in_process/stored_settings.h"

namespace velmorin {

void takeStoredSettings(Effect& effect, platform::PreferenceStore& preferences) {
    platform::PreferenceRecord record;
    record.normalizeTarget = effect.normalizeTarget();
    record.dcRemoval = effect.dcRemoval();
    preferences.read(record);
    effect.setNormalizeTarget(record.normalizeTarget);
    effect.setDcRemoval(record.dcRemoval);
}

}  // namespace velmorin
