#include "editor/device_editor_scales.h"

namespace velmorin {

platform::Graphics& DeviceEditorScales::graphicsAt(platform::Scale scale) {
    std::unique_ptr<AtScale>& made = made_[scale.quarters()];
    if (!made) made = std::make_unique<AtScale>(makeDevice_(scale), scale);
    if (scale.isIdentity()) return *made->device;
    return made->scaled;
}

}  // namespace velmorin
