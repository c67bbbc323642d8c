// Records the preference store tests write and read back.
#pragma once

#include <numeric>

#include "platform/preference_store.h"

namespace platform::test_records {

// A record with every field away from its default.
inline PreferenceRecord sampleRecord() {
    PreferenceRecord r;
    r.normalizeTarget = 3;
    r.peakHold = 100000000;
    r.colourScheme = 2;
    std::iota(r.waveColours.begin(), r.waveColours.end(), 200);
    r.zoomRange = 0;
    r.displaySpeed = 4;
    r.dcRemoval = 0;
    r.editorScale = 150;
    return r;
}

// Every field set to -7, so any change shows.
inline PreferenceRecord sentinelRecord() {
    PreferenceRecord r;
    r.normalizeTarget = r.peakHold = r.colourScheme = r.zoomRange = r.displaySpeed = r.dcRemoval =
        r.editorScale = -7;
    r.waveColours.fill(-7);
    return r;
}

}  // namespace platform::test_records
