#include "formats/x11/x11_editor_platform.h"

#include "resources/embedded_bitmaps.h"

namespace velmorin {

X11EditorPlatform::X11EditorPlatform()
    : graphics(findEmbeddedBitmap), preferences(platform::FilePreferenceStore::defaultLocation()) {}

X11EditorPlatform& X11EditorPlatform::process() {
    static X11EditorPlatform platform;
    return platform;
}

}  // namespace velmorin
