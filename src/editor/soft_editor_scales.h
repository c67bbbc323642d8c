// The software graphics at every editor scale, each made at its first use:
// the bitmaps drawn for that scale on device pixels, wrapped so the editor
// keeps its logical pixels. At 1.0 the graphics draw as they always have.
#pragma once

#include <functional>
#include <map>
#include <memory>

#include "editor/editor_platform.h"
#include "platform/scaled_graphics.h"
#include "platform/soft/soft_graphics.h"

namespace velmorin {

class SoftEditorScales : public EditorScales {
  public:
    using BitmapsAt = std::function<platform::BitmapLookup(platform::Scale)>;
    using SystemFactor = std::function<double()>;

    SoftEditorScales(BitmapsAt bitmaps, SystemFactor system)
        : bitmaps_(std::move(bitmaps)), system_(std::move(system)) {}

    platform::Graphics& graphicsAt(platform::Scale scale) override;
    // The same on every window.
    double systemScaleFactor(platform::WindowHandle) override { return system_(); }

  private:
    struct AtScale {
        AtScale(platform::BitmapLookup bitmaps, platform::Scale scale)
            : device(std::move(bitmaps)), scaled(device, scale) {}
        platform::SoftGraphics device;
        platform::ScaledGraphics scaled;
    };

    BitmapsAt bitmaps_;
    SystemFactor system_;
    std::map<int, std::unique_ptr<AtScale>> made_;  // by quarters
};

}  // namespace velmorin
