// Reads the display feed object the plug-in writes (DisplayFeedWriter) from
// an event the host hands the UI. The event comes from another process or a
// careless host alike, so every size is checked before it is read.
#pragma once

#include <cstdint>
#include <optional>

#include <lv2/atom/atom.h>
#include <lv2/urid/urid.h>

#include "formats/lv2/display_feed_writer.h"

namespace velmorin::lv2 {

class DisplayFeedReader {
  public:
    explicit DisplayFeedReader(LV2_URID_Map* map);

    // The feed's values when `atom`, `size` bytes with its header, is a
    // whole feed object; nothing for anything else.
    std::optional<DisplayFeedValues> read(const LV2_Atom* atom, uint32_t size) const;

  private:
    LV2_URID object_, vector_, float_, int_, bool_;
    LV2_URID feedType_, waves_, outputSums_, sampleCount_, outputGain_, limiterGain_,
        outputRelinked_;
};

}  // namespace velmorin::lv2
