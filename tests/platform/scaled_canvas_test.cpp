// The editor's logical pixels over device pixels at every scale above 1.0:
// rectangles and lines cover whole device cells without seams, copies fill
// exactly their block even where it does not line up with the source on
// device pixels, and text comes from the glyphs of the scaled size.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "platform/scaled_canvas.h"
#include "platform/scaled_graphics.h"
#include "platform/soft/soft_canvas.h"
#include "platform/soft/soft_graphics.h"

namespace platform {
namespace {

constexpr int kWidth = 23;
constexpr int kHeight = 17;

// A logical colour per cell, different for every cell of the canvas.
Colour cellColour(int x, int y) {
    return rgb(static_cast<std::uint8_t>(10 + x * 9), static_cast<std::uint8_t>(10 + y * 13), 77);
}

struct Scaled {
    explicit Scaled(Scale s)
        : scale(s),
          device(std::make_shared<PixelBuffer>(s.device(kWidth), s.device(kHeight))),
          canvas(std::make_unique<SoftCanvas>(device), s, kWidth, kHeight) {}

    // Every device pixel of logical cell (x, y) holds `colour`.
    bool cellIs(int x, int y, Colour colour) const {
        for (int dy = scale.device(y); dy < scale.device(y + 1); ++dy)
            for (int dx = scale.device(x); dx < scale.device(x + 1); ++dx)
                if (device->at(dx, dy) != colour) return false;
        return true;
    }

    Scale scale;
    std::shared_ptr<PixelBuffer> device;
    ScaledCanvas canvas;
};

class ScaledCanvasTest : public testing::TestWithParam<int> {
  protected:
    Scale scale() const { return Scale::ofQuarters(GetParam()); }
};

TEST_P(ScaledCanvasTest, CellsTileTheDeviceAndCopiesKeepEachLogicalPixel) {
    Scaled source(scale());
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            source.canvas.fillRect({x, y, x + 1, y + 1}, Brush(cellColour(x, y)));
    // Neighbouring cells meet: every device pixel belongs to exactly one.
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) ASSERT_TRUE(source.cellIs(x, y, cellColour(x, y)));

    // Scrolling by a logical pixel, where at 1.25, 1.5, 1.75 and 2.5 the
    // cells on either side differ in size: each cell takes its neighbour's.
    source.canvas.copyFrom(0, 0, kWidth - 1, kHeight, source.canvas, 1, 0, RasterOp::Copy);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth - 1; ++x)
            ASSERT_TRUE(source.cellIs(x, y, cellColour(x + 1, y))) << x << ", " << y;
}

TEST_P(ScaledCanvasTest, APictureCopiedElsewhereMovesWholeAndComesBackUnchanged) {
    Scaled picture(scale());
    for (std::size_t i = 0; i < picture.device->pixels.size(); ++i)
        picture.device->pixels[i] = static_cast<Colour>(i * 2654435761u) & 0xFFFFFFu;
    const PixelBuffer original = *picture.device;
    for (const auto& [dx, dy] : {std::pair{1, 0}, std::pair{0, 1}, std::pair{3, 5}}) {
        Scaled target(scale());
        target.canvas.copyFrom(dx, dy, 8, 7, picture.canvas, 2, 3, RasterOp::Copy);
        // Exactly the destination's cells change, each from the pixel the
        // same device distance into the source block (the last one repeated).
        const Rect block{scale().device(dx), scale().device(dy), scale().device(dx + 8),
                         scale().device(dy + 7)};
        for (int y = 0; y < target.device->height; ++y)
            for (int x = 0; x < target.device->width; ++x) {
                const int sx = std::min(x - block.left + scale().device(2), scale().device(10) - 1);
                const int sy = std::min(y - block.top + scale().device(3), scale().device(10) - 1);
                ASSERT_EQ(target.device->at(x, y),
                          block.contains(x, y) ? original.at(sx, sy) : Colour{0})
                    << x << ", " << y << " copied to " << dx << ", " << dy;
            }
        // Back where it came from, as the wave displays' backdrops go from
        // the skin to their surface and back to the window.
        Scaled back(scale());
        back.canvas.copyFrom(2, 3, 8, 7, target.canvas, dx, dy, RasterOp::Copy);
        for (int y = scale().device(3); y < scale().device(10) - 1; ++y)
            for (int x = scale().device(2); x < scale().device(10) - 1; ++x)
                ASSERT_EQ(back.device->at(x, y), original.at(x, y)) << x << ", " << y;
    }
}

TEST_P(ScaledCanvasTest, StraightLinesCoverWholeCellsAndStopBeforeTheirEnd) {
    const Colour ink = rgb(0, 200, 0);
    const Pen pen(ink);
    Scaled rightward(scale()), leftward(scale()), down(scale());
    rightward.canvas.drawLine(2, 5, 9, 5, pen);
    leftward.canvas.drawLine(9, 5, 2, 5, pen);
    down.canvas.drawLine(4, 1, 4, 6, pen);
    for (int x = 0; x < kWidth; ++x) {
        EXPECT_TRUE(rightward.cellIs(x, 5, x >= 2 && x < 9 ? ink : 0)) << x;
        EXPECT_TRUE(leftward.cellIs(x, 5, x > 2 && x <= 9 ? ink : 0)) << x;
        EXPECT_TRUE(rightward.cellIs(x, 6, 0)) << x;
    }
    for (int y = 0; y < kHeight; ++y) EXPECT_TRUE(down.cellIs(4, y, y >= 1 && y < 6 ? ink : 0));
}

TEST_P(ScaledCanvasTest, GraphicsMakeDeviceSizedSurfacesAndScaledFonts) {
    SoftGraphics device(nullptr);
    ScaledGraphics graphics(device, scale());
    const std::unique_ptr<Canvas> surface = graphics.createSurface(kWidth, kHeight);
    EXPECT_EQ(surface->width(), kWidth);
    EXPECT_EQ(surface->height(), kHeight);
    const std::unique_ptr<Font> font = graphics.createFont({"Arial", 14, 5, 400});
    const auto& glyphs = dynamic_cast<const SoftFont&>(*font).glyphs();
    EXPECT_EQ(glyphs.height, scale().device(14));
    EXPECT_EQ(glyphs.width, scale().device(5));
    // Compiled packed, unpacked whole for drawing.
    const Glyph& last = glyphs.glyph(GlyphSet::kLast);
    EXPECT_EQ(glyphs.coverage.size(), last.offset + std::size_t{last.width} * last.height);

    // Text keeps to the device cells of its logical rectangle.
    surface->drawCentredText("-10.0", {2, 1, 20, 16}, rgb(255, 255, 255), *font);
    int lit = 0, litOutside = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const bool inside = x >= 2 && x < 20 && y >= 1 && y < 16;
            const bool any = surface->pixel(x, y) != 0;
            (inside ? lit : litOutside) += any;
        }
    EXPECT_GT(lit, 0);
    EXPECT_EQ(litOutside, 0);
}

INSTANTIATE_TEST_SUITE_P(EditorScales, ScaledCanvasTest, testing::Values(5, 6, 7, 8, 10, 12),
                         [](const testing::TestParamInfo<int>& info) {
                             return std::to_string(info.param * 25);
                         });

}  // namespace
}  // namespace platform
