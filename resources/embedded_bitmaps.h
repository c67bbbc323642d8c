// The editor's bitmaps compiled into the plug-in, for builds without a
// resource section.
#pragma once

#include "platform/scale.h"
#include "platform/soft/bitmap_image.h"

namespace velmorin {

// The bitmap with this resource identifier, or null.
const platform::BitmapImage* findEmbeddedBitmap(int id);
// The bitmap as drawn for a scale above 1.0, or null (also at 1.0). The
// first call for a scale decodes all of its bitmaps, which the process keeps.
const platform::BitmapImage* findDecodedBitmap(int id, platform::Scale scale);
platform::BitmapLookup decodedBitmapsAt(platform::Scale scale);
// The bitmap as drawn for any scale, or null, and the lookup a software
// graphics of that scale loads its bitmaps with.
const platform::BitmapImage* findScaledBitmap(int id, platform::Scale scale);
platform::BitmapLookup embeddedBitmapsAt(platform::Scale scale);

}  // namespace velmorin
