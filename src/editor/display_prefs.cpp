#include "editor/display_prefs.h"

namespace velmorin {

platform::PreferenceRecord preferenceRecordOf(const DisplayPrefs& prefs,
                                              const EngineState& engine) {
    return {engine.normalizeTarget.get(),
            prefs.peakHold,
            prefs.colourScheme,
            prefs.waveColours,
            prefs.zoomRange,
            prefs.displaySpeed,
            engine.dcRemoval.get()};
}

void writeDisplayPrefs(platform::PreferenceStore& store, const DisplayPrefs& prefs,
                       const EngineState& engine) {
    store.write(preferenceRecordOf(prefs, engine));
}

void readDisplayPrefs(platform::PreferenceStore& store, DisplayPrefs& prefs, EngineState& engine) {
    platform::PreferenceRecord record = preferenceRecordOf(prefs, engine);
    store.read(record);
    engine.normalizeTarget.set(record.normalizeTarget);
    prefs.peakHold = record.peakHold;
    prefs.colourScheme = record.colourScheme;
    prefs.waveColours = record.waveColours;
    prefs.zoomRange = record.zoomRange;
    prefs.displaySpeed = record.displaySpeed;
    engine.dcRemoval.set(record.dcRemoval);
}

}  // namespace velmorin
