#include "editor/display_prefs.h"

namespace velmorin {

void readDisplayPrefs(platform::PreferenceStore& store, DisplayPrefs& prefs, EngineState& engine) {
    platform::PreferenceRecord record{engine.normalizeTarget.get(),
                                      prefs.peakHold,
                                      prefs.colourScheme,
                                      prefs.waveColours,
                                      prefs.zoomRange,
                                      prefs.displaySpeed,
                                      engine.dcRemoval.get()};
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
