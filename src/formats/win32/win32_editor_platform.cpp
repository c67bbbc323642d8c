#include "formats/win32/win32_editor_platform.h"

#include "platform/win32/gdi_graphics.h"
#include "resources/embedded_bitmaps.h"

namespace velmorin {

Win32EditorPlatform::Win32EditorPlatform()
    : scales(
          [](platform::Scale scale) {
              // 1.0 keeps the module's bitmap resources: its pixels stay as
              // they were. The larger scales decode the plug-in's own tables.
              if (scale.isIdentity()) return std::make_unique<platform::win32::GdiGraphics>();
              return std::make_unique<platform::win32::GdiGraphics>(decodedBitmapsAt(scale));
          },
          [this](platform::WindowHandle window) { return windows.systemScaleFactor(window); }) {}

Win32EditorPlatform& Win32EditorPlatform::process() {
    static Win32EditorPlatform platform;
    return platform;
}

}  // namespace velmorin
