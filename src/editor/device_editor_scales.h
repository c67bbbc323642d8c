// Graphics at every editor scale, each made at its first use: a device's
// graphics with the bitmaps drawn for that scale, wrapped above 1.0 so the
// editor keeps its logical pixels. At 1.0 the device's graphics draw as
// they always have.
#pragma once

#include <functional>
#include <map>
#include <memory>

#include "editor/editor_platform.h"
#include "platform/scaled_graphics.h"

namespace velmorin {

class DeviceEditorScales : public EditorScales {
  public:
    using MakeDevice = std::function<std::unique_ptr<platform::Graphics>(platform::Scale)>;
    using SystemFactor = std::function<double(platform::WindowHandle)>;

    DeviceEditorScales(MakeDevice makeDevice, SystemFactor system)
        : makeDevice_(std::move(makeDevice)), system_(std::move(system)) {}

    platform::Graphics& graphicsAt(platform::Scale scale) override;
    double systemScaleFactor(platform::WindowHandle window) override { return system_(window); }

  private:
    struct AtScale {
        AtScale(std::unique_ptr<platform::Graphics> made, platform::Scale scale)
            : device(std::move(made)), scaled(*device, scale) {}
        std::unique_ptr<platform::Graphics> device;
        platform::ScaledGraphics scaled;
    };

    MakeDevice makeDevice_;
    SystemFactor system_;
    std::map<int, std::unique_ptr<AtScale>> made_;  // by quarters
};

}  // namespace velmorin
