// What open leaves in the surfaces: empty traces and masks, backdrops and the
// output meter background copied from their places on the skin.
#include <gtest/gtest.h>

#include "editor/wave_surfaces.h"
#include "platform/soft/soft_graphics.h"
#include "soft_canvases.h"
#include "test_inks.h"

namespace velmorin {
namespace {

using platform::Canvas;
using platform::Colour;
using platform::rgb;

constexpr Colour kBlack = rgb(0, 0, 0);
constexpr Colour kWhite = rgb(255, 255, 255);
constexpr int kDisplayX[] = {156, 156, 156, 352};
constexpr int kDisplayY[] = {14, 152, 289, 82};

// Every skin pixel tells where it came from.
Colour skinColour(int x, int y) {
    return rgb(static_cast<uint8_t>(x), static_cast<uint8_t>(y),
               static_cast<uint8_t>(((x >> 8) << 4) | (y >> 8)));
}

platform::SoftCanvas syntheticSkin() {
    platform::SoftCanvas skin = testing::softCanvas(654, 431, kBlack);
    for (int y = 0; y < 431; ++y)
        for (int x = 0; x < 654; ++x) skin.setPixel(x, y, skinColour(x, y));
    return skin;
}

// A highlight that lifts a single corner pixel.
platform::SoftCanvas oneSpotShape() {
    platform::SoftCanvas shape = testing::softCanvas(44, 18, kBlack);
    shape.setPixel(7, 3, rgb(255, 0, 0));
    return shape;
}

bool everyPixelIs(const Canvas& canvas, Colour colour) {
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x)
            if (canvas.pixel(x, y) != colour) return false;
    return true;
}

class WaveSurfacesBuilt : public ::testing::Test {
  protected:
    platform::SoftGraphics graphics{{}};
    platform::SoftCanvas skin = syntheticSkin();
    CornerHighlight highlight{oneSpotShape()};
    testing::OwnedInks inks;
    WaveSurfaces surfaces = buildWaveSurfaces(graphics, skin, highlight, inks.view());
};

TEST_F(WaveSurfacesBuilt, TracesStartBlackAndMasksWhite) {
    for (const DisplaySurfaces& display : surfaces.displays) {
        ASSERT_EQ(display.trace->width(), 123);
        ASSERT_EQ(display.trace->height(), 128);
        ASSERT_EQ(display.mask->width(), 123);
        ASSERT_EQ(display.mask->height(), 128);
        EXPECT_TRUE(everyPixelIs(*display.trace, kBlack));
        EXPECT_TRUE(everyPixelIs(*display.mask, kWhite));
    }
}

TEST_F(WaveSurfacesBuilt, BackdropHoldsItsAreaHighlightedAndTheMasterStrip) {
    for (int g = 0; g < 4; ++g) {
        const Canvas& backdrop = *surfaces.displays[g].backdrop;
        ASSERT_EQ(backdrop.width(), 136);
        ASSERT_EQ(backdrop.height(), 289);
        for (int y = 0; y < 289; ++y) {
            for (int x = 0; x < 136; ++x) {
                Colour expected = kBlack;
                if (x < 122 && y < 128) expected = skinColour(kDisplayX[g] + x, kDisplayY[g] + y);
                if (x >= 122 && x < 135 && y < 125) expected = skinColour(505 + x - 122, 84 + y);
                if (x == 7 && y == 3) continue;  // the highlight, below
                ASSERT_EQ(backdrop.pixel(x, y), expected)
                    << "display " << g << " at " << x << "," << y;
            }
        }
        platform::SoftCanvas lone =
            testing::softCanvas(8, 4, skinColour(kDisplayX[g] + 7, kDisplayY[g] + 3));
        highlight.apply(lone, g);
        EXPECT_EQ(backdrop.pixel(7, 3), lone.pixel(7, 3)) << "display " << g;
        EXPECT_NE(backdrop.pixel(7, 3), skinColour(kDisplayX[g] + 7, kDisplayY[g] + 3));
    }
}

TEST_F(WaveSurfacesBuilt, OutputMeterBackdropHoldsTheMeterBackground) {
    const Canvas& meter = *surfaces.outputMeterBackdrop;
    ASSERT_EQ(meter.width(), 32);
    ASSERT_EQ(meter.height(), 289);
    for (int y = 0; y < 289; ++y) {
        for (int x = 0; x < 31; ++x) ASSERT_EQ(meter.pixel(x, y), skinColour(604 + x, 80 + y));
        ASSERT_EQ(meter.pixel(31, y), kBlack);
    }
}

}  // namespace
}  // namespace velmorin
