// The editor's bitmaps compiled into the plug-in, for builds without a
// resource section.
#pragma once

#include "platform/soft/bitmap_image.h"

namespace velmorin {

// The bitmap with this resource identifier, or null.
const platform::BitmapImage* findEmbeddedBitmap(int id);

}  // namespace velmorin
