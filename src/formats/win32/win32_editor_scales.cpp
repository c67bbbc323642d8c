#include "formats/win32/win32_editor_scales.h"

#include "resources/embedded_bitmaps.h"

namespace velmorin {

Win32EditorScales::AtScale::AtScale(platform::Scale scale)
    : device(embeddedBitmapsAt(scale)), scaled(device, scale) {}

platform::Graphics& Win32EditorScales::graphicsAt(platform::Scale scale) {
    // 1.0 keeps the resources: its pixels stay exactly as they were.
    if (scale.isIdentity()) return atOne_;
    std::unique_ptr<AtScale>& made = made_[scale.quarters()];
    if (!made) made = std::make_unique<AtScale>(scale);
    return made->scaled;
}

}  // namespace velmorin
