// The display preferences an editor keeps while it lives and the store keeps
// for the next editor that opens. The normalize target and DC removal belong
// to the effect, which reads them at every block; they are stored with these.
#pragma once

#include <array>
#include <cstdint>

#include "editor/effect_controls.h"
#include "platform/preference_store.h"

namespace velmorin {

using WaveColourTable = std::array<int32_t, 36>;

struct DisplayPrefs {
    int32_t peakHold = 32;
    int32_t colourScheme = 1;  // 0 Natural, 1 Icy, 2 Custom
    // R, G, B of entry 3d + k: display d, k = 0 outer trace, 1 inner trace,
    // 2 threshold line.
    WaveColourTable waveColours{0, 160, 0, 200, 220, 255, 0,   200, 0,  //
                                0, 160, 0, 200, 220, 255, 0,   200, 0,  //
                                0, 160, 0, 200, 220, 255, 0,   200, 0,  //
                                0, 160, 0, 200, 220, 255, 200, 0,   0};
    int32_t zoomRange = 1;
    int32_t displaySpeed = 2;
    // Automatic (platform::kAutomaticScale) or a scale's percentage; any
    // other value counts as Automatic.
    int32_t editorScale = 0;
};

// The eight values as the store keeps them.
platform::PreferenceRecord preferenceRecordOf(const DisplayPrefs& prefs,
                                              const EffectControls& effect);
// Replaces every field the store holds a value for; the others keep theirs.
// No range is checked here: each use of a field copes with any value.
void readDisplayPrefs(platform::PreferenceStore& store, DisplayPrefs& prefs,
                      EffectControls& effect);
// Stores all eight values, whatever they hold.
void writeDisplayPrefs(platform::PreferenceStore& store, const DisplayPrefs& prefs,
                       const EffectControls& effect);

}  // namespace velmorin
