// The corner highlight: tables from the red channel of the shape bitmap, and
// the blend they drive on a backdrop.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "editor/corner_highlight.h"
#include "soft_canvases.h"

namespace velmorin {
namespace {

using platform::Colour;
using platform::rgb;
using testing::softCanvas;

constexpr Colour kBlack = rgb(0, 0, 0);
constexpr Colour kWhite = rgb(255, 255, 255);
constexpr float kStrength[] = {1.0f, 0.9f, 0.8f, 1.0f};

// A black shape with a few marked pixels; only red counts.
platform::SoftCanvas syntheticShape() {
    platform::SoftCanvas shape = softCanvas(44, 18, kBlack);
    shape.setPixel(0, 0, rgb(255, 0, 0));
    shape.setPixel(3, 2, rgb(128, 7, 9));
    shape.setPixel(5, 5, rgb(0, 200, 200));  // no red: no highlight
    shape.setPixel(41, 15, rgb(255, 255, 255));
    shape.setPixel(42, 0, rgb(255, 0, 0));  // beyond the blended 42 x 16
    shape.setPixel(0, 16, rgb(255, 0, 0));
    return shape;
}

uint8_t blended(uint8_t c, float m, float a) {
    return static_cast<uint8_t>(static_cast<int>(static_cast<float>(c) * m + a));
}

TEST(CornerHighlightTables, AddendIsRedTimesLevelStrength) {
    const CornerHighlight highlight(syntheticShape());
    for (int k = 0; k < 4; ++k) {
        EXPECT_FLOAT_EQ(highlight.addend(k, 0, 0), 255.0f * kStrength[k]);
        EXPECT_FLOAT_EQ(highlight.addend(k, 3, 2), 128.0f * kStrength[k]);
        EXPECT_EQ(highlight.addend(k, 5, 5), 0.0f);
        EXPECT_EQ(highlight.multiplier(k, 5, 5), 1.0f);
        EXPECT_FLOAT_EQ(highlight.addend(k, 43, 17), 0.0f);
    }
    EXPECT_FLOAT_EQ(highlight.addend(1, 3, 2), 115.2f);
    EXPECT_NEAR(highlight.multiplier(1, 3, 2), 0.548235, 1e-6);
    EXPECT_EQ(highlight.multiplier(0, 0, 0), 0.0f);
}

TEST(CornerHighlightBlend, LightensOnlyTheCornerByTheLevelsTables) {
    const CornerHighlight highlight(syntheticShape());
    const Colour grey = rgb(10, 100, 250);
    for (int level = 0; level < 4; ++level) {
        platform::SoftCanvas backdrop = softCanvas(60, 30, grey);
        backdrop.setPixel(3, 2, kBlack);
        highlight.apply(backdrop, level);

        const float m = highlight.multiplier(level, 0, 0);
        const float a = highlight.addend(level, 0, 0);
        EXPECT_EQ(backdrop.pixel(0, 0),
                  rgb(blended(10, m, a), blended(100, m, a), blended(250, m, a)));
        const uint8_t lifted = static_cast<uint8_t>(128.0f * kStrength[level]);
        EXPECT_EQ(backdrop.pixel(3, 2), rgb(lifted, lifted, lifted)) << "level " << level;
        EXPECT_EQ(backdrop.pixel(5, 5), grey);
        EXPECT_NE(backdrop.pixel(41, 15), grey);
        EXPECT_EQ(backdrop.pixel(42, 0), grey);  // outside the blended corner
        EXPECT_EQ(backdrop.pixel(0, 16), grey);
    }
    platform::SoftCanvas white = softCanvas(44, 18, kBlack);
    highlight.apply(white, 0);
    EXPECT_EQ(white.pixel(0, 0), kWhite);  // full red at level 0 gives white
    EXPECT_EQ(white.pixel(3, 2), rgb(128, 128, 128));
}

TEST(CornerHighlightBlend, MissingOrShortShapeAndUnknownLevelsChangeNothingOutside) {
    const Colour grey = rgb(70, 80, 90);
    platform::SoftCanvas backdrop = softCanvas(44, 18, grey);
    CornerHighlight().apply(backdrop, 0);
    const CornerHighlight highlight(syntheticShape());
    for (int level : {-1, 4, 1000}) highlight.apply(backdrop, level);
    for (int y = 0; y < 18; ++y)
        for (int x = 0; x < 44; ++x) ASSERT_EQ(backdrop.pixel(x, y), grey) << x << "," << y;

    // A shape smaller than 44 x 18: what it lacks counts as black.
    const CornerHighlight shortShape(softCanvas(10, 4, rgb(255, 0, 0)));
    shortShape.apply(backdrop, 3);
    EXPECT_EQ(backdrop.pixel(9, 3), kWhite);
    EXPECT_EQ(backdrop.pixel(10, 3), grey);
    EXPECT_EQ(backdrop.pixel(9, 4), grey);

    // A pixel that cannot be read (clipped away) is left alone.
    platform::SoftCanvas clipped = softCanvas(44, 18, grey);
    clipped.excludeClip({0, 0, 2, 2});
    highlight.apply(clipped, 0);
    clipped.removeClip();
    EXPECT_EQ(clipped.pixel(0, 0), grey);
}

}  // namespace
}  // namespace velmorin
