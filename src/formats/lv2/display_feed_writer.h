// Writes the display feed into the atom output port, one object per run:
// what the editor's meters and wave displays need, so that the UI reads it
// from messages and never from the plug-in's memory.
#pragma once

#include <lv2/atom/atom.h>
#include <lv2/atom/forge.h>
#include <lv2/urid/urid.h>

#include "engine/display_feed.h"

namespace velmorin::lv2 {

struct DisplayFeedValues {
    LaneExtremes waves;
    OutputSums sums;
    float outputGain;
    float limiterThresholdGain;
    bool outputRelinked;
};

// The feed's values in the order the object carries them: every lane's
// eight extremes, then the two output sums.
constexpr uint32_t kWaveFloats = kNumLanes * 8;

class DisplayFeedWriter {
  public:
    explicit DisplayFeedWriter(LV2_URID_Map* map);

    // Writes into the sequence the host connected, as far as its capacity
    // allows; a sequence too small for the object is left empty.
    void write(LV2_Atom_Sequence* port, const DisplayFeedValues& values);

  private:
    LV2_Atom_Forge forge_;
    LV2_URID feedType_, waves_, outputSums_, sampleCount_, outputGain_, limiterGain_,
        outputRelinked_;
};

}  // namespace velmorin::lv2
