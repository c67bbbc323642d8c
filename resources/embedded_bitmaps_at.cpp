// The embedded bitmaps of any scale: 1.0 from the table, the others decoded.
#include "resources/embedded_bitmaps.h"

namespace velmorin {

const platform::BitmapImage* findScaledBitmap(int id, platform::Scale scale) {
    return scale.isIdentity() ? findEmbeddedBitmap(id) : findDecodedBitmap(id, scale);
}

platform::BitmapLookup embeddedBitmapsAt(platform::Scale scale) {
    return [scale](int id) { return findScaledBitmap(id, scale); };
}

}  // namespace velmorin
