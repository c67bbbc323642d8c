// A headless editor window, a skin whose every pixel tells its place, and
// solid caps and lamps, so a test sees exactly what a control drew where.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "editor/control_canvas.h"
#include "editor/layout.h"
#include "platform/soft/headless_windows.h"
#include "platform/soft/soft_graphics.h"

namespace velmorin {

class ControlFixture : public ::testing::Test {
  protected:
    static constexpr platform::Colour kCapColour = platform::rgb(250, 0, 250);
    static constexpr platform::Colour kLitColour = platform::rgb(0, 250, 0);
    static constexpr platform::Colour kScribble = platform::rgb(1, 2, 3);

    static std::intptr_t ignoreMessages(platform::WindowHandle, std::uint32_t, std::uintptr_t,
                                        std::intptr_t) {
        return 0;
    }

    // Red and green stay low so text ink shows; blue encodes the place.
    static platform::Colour skinAt(int x, int y) {
        return platform::rgb(20, 24, static_cast<std::uint8_t>(x + 3 * y));
    }

    void SetUp() override {
        ASSERT_TRUE(windows.registerWindowClass("Velmorin", ignoreMessages));
        window =
            windows.createChildWindow("Velmorin", "Velmorin", &host, kEditorWidth, kEditorHeight);
        skin = graphics.createSurface(kEditorWidth, kEditorHeight);
        for (int y = 0; y < kEditorHeight; ++y)
            for (int x = 0; x < kEditorWidth; ++x) skin->setPixel(x, y, skinAt(x, y));
        cap = solid(kFaderCapWidth, kFaderCapHeight, kCapColour);
        smallCap = solid(kSmallCapWidth, kSmallCapHeight, kCapColour);
        lit = solid(44, 21, kLitColour);
        font = graphics.createFont({"Arial", 14, 5, 400});
    }

    std::unique_ptr<platform::Canvas> solid(int w, int h, platform::Colour colour) {
        auto surface = graphics.createSurface(w, h);
        surface->fillRect({0, 0, w, h}, platform::Brush(colour));
        return surface;
    }

    ControlCanvas canvas() { return {windows, window, *skin}; }
    platform::Colour at(int x, int y) const { return windows.clientPixels(window)->at(x, y); }
    void scribble(int x, int y) { windows.windowCanvas(window)->setPixel(x, y, kScribble); }

    int host = 0;
    platform::HeadlessWindows windows;
    platform::SoftGraphics graphics{nullptr};
    platform::WindowHandle window;
    std::unique_ptr<platform::Canvas> skin, cap, smallCap, lit;
    std::unique_ptr<platform::Font> font;
};

}  // namespace velmorin
