// The editor's bitmaps compiled into the plug-in, for builds without a
// resource section.
#pragma once

#include "platform/scale.h"
#include "platform/soft/bitmap_image.h"

namespace velmorin {

// The bitmap with this resource identifier, or null.
const platform::BitmapImage* findEmbeddedBitmap(int id);
// The bitmap as drawn for a scale, or null. The first call for a scale above
// 1.0 decodes all of its bitmaps, which the process keeps.
const platform::BitmapImage* findScaledBitmap(int id, platform::Scale scale);
// The lookup a software graphics of that scale loads its bitmaps with.
platform::BitmapLookup embeddedBitmapsAt(platform::Scale scale);

}  // namespace velmorin
