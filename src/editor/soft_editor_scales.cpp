#include "editor/soft_editor_scales.h"

#include "platform/soft/soft_graphics.h"

namespace velmorin {

SoftEditorScales::SoftEditorScales(BitmapsAt bitmaps, std::function<double()> system)
    : DeviceEditorScales(
          [bitmaps = std::move(bitmaps)](platform::Scale scale) {
              return std::make_unique<platform::SoftGraphics>(bitmaps(scale));
          },
          [system = std::move(system)](platform::WindowHandle) { return system(); }) {}

}  // namespace velmorin
