// GDI at every editor scale, each made at its first use: at 1.0 the
// module's bitmap resources as always; above it the bitmaps drawn for that
// scale, decoded from the plug-in's own tables, under a ScaledGraphics so
// the editor keeps its logical pixels.
#pragma once

#include <map>
#include <memory>

#include "editor/editor_platform.h"
#include "platform/scaled_graphics.h"
#include "platform/win32/gdi_graphics.h"
#include "platform/win32/win32_windows.h"

namespace velmorin {

class Win32EditorScales : public EditorScales {
  public:
    // `atOne` draws at 1.0; `windows` knows each window's DPI.
    Win32EditorScales(platform::win32::GdiGraphics& atOne,
                      const platform::win32::Win32Windows& windows)
        : atOne_(atOne), windows_(windows) {}

    platform::Graphics& graphicsAt(platform::Scale scale) override;
    double systemScaleFactor(platform::WindowHandle window) override {
        return windows_.systemScaleFactor(window);
    }

  private:
    struct AtScale {
        explicit AtScale(platform::Scale scale);
        platform::win32::GdiGraphics device;
        platform::ScaledGraphics scaled;
    };

    platform::win32::GdiGraphics& atOne_;
    const platform::win32::Win32Windows& windows_;
    std::map<int, std::unique_ptr<AtScale>> made_;  // by quarters
};

}  // namespace velmorin
