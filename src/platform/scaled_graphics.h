// Drawing objects for an editor drawn at a scale: surfaces, bitmaps and fonts
// come from a device's graphics at the scaled size (its bitmaps must be the
// ones drawn for that scale), wrapped so the editor keeps its logical pixels.
#pragma once

#include "platform/graphics.h"
#include "platform/scale.h"

namespace platform {

class ScaledGraphics : public Graphics {
  public:
    ScaledGraphics(Graphics& device, Scale scale) : device_(device), scale_(scale) {}

    std::unique_ptr<Canvas> createSurface(int width, int height) override;
    std::unique_ptr<Canvas> loadBitmap(int id) override;
    std::unique_ptr<Pen> createPen(Colour colour) override { return device_.createPen(colour); }
    std::unique_ptr<Brush> createBrush(Colour colour) override {
        return device_.createBrush(colour);
    }
    // The face at the scaled cell height and width.
    std::unique_ptr<Font> createFont(const FontRequest& request) override;

  private:
    Graphics& device_;
    Scale scale_;
};

}  // namespace platform
