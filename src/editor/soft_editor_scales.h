// The software graphics at every editor scale, with the bitmaps drawn for
// each, and a system scale that is the same on every window.
#pragma once

#include <functional>

#include "editor/device_editor_scales.h"
#include "platform/soft/bitmap_image.h"

namespace velmorin {

class SoftEditorScales : public DeviceEditorScales {
  public:
    using BitmapsAt = std::function<platform::BitmapLookup(platform::Scale)>;

    SoftEditorScales(BitmapsAt bitmaps, std::function<double()> system);
};

}  // namespace velmorin
