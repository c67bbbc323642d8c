#include "formats/x11/x11_editor_platform.h"

#include "resources/embedded_bitmaps.h"

namespace velmorin {

X11EditorPlatform::X11EditorPlatform(const std::filesystem::path& preferenceFile)
    : scales(embeddedBitmapsAt, [this] { return windows.systemScaleFactor(); }),
      preferences(preferenceFile) {}

X11EditorPlatform& X11EditorPlatform::process() {
    static X11EditorPlatform platform(platform::FilePreferenceStore::defaultLocation());
    return platform;
}

}  // namespace velmorin
