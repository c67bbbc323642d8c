#include "editor/display_prefs.h"

namespace velmorin {

platform::PreferenceRecord preferenceRecordOf(const DisplayPrefs& prefs,
                                              const EffectControls& effect) {
    return {effect.normalizeTarget(), prefs.peakHold,     prefs.colourScheme, prefs.waveColours,
            prefs.zoomRange,          prefs.displaySpeed, effect.dcRemoval(), prefs.editorScale};
}

void writeDisplayPrefs(platform::PreferenceStore& store, const DisplayPrefs& prefs,
                       const EffectControls& effect) {
    store.write(preferenceRecordOf(prefs, effect));
}

void readDisplayPrefs(platform::PreferenceStore& store, DisplayPrefs& prefs,
                      EffectControls& effect) {
    platform::PreferenceRecord record = preferenceRecordOf(prefs, effect);
    store.read(record);
    if (!effect.opensQuietly()) {
        effect.setNormalizeTarget(record.normalizeTarget);
        effect.setDcRemoval(record.dcRemoval);
    }
    prefs.peakHold = record.peakHold;
    prefs.colourScheme = record.colourScheme;
    prefs.waveColours = record.waveColours;
    prefs.zoomRange = record.zoomRange;
    prefs.displaySpeed = record.displaySpeed;
    prefs.editorScale = record.editorScale;
}

}  // namespace velmorin
