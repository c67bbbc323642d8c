// The software canvas must draw what the Windows graphics calls draw: these
// are the rules the editor's pictures depend on.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "platform/soft/soft_canvas.h"
#include "platform/soft/soft_graphics.h"

namespace platform {
namespace {

constexpr Colour kRed = rgb(200, 0, 0);
constexpr Colour kBlack = rgb(0, 0, 0);

SoftCanvas makeCanvas(int w, int h, Colour fill = kBlack) {
    return SoftCanvas(std::make_shared<PixelBuffer>(w, h, fill));
}

// How many pixels of the canvas hold `colour`.
int countColour(const Canvas& canvas, Colour colour) {
    int n = 0;
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x) n += canvas.pixel(x, y) == colour;
    return n;
}

TEST(SoftCanvasFill, LeavesRightColumnAndBottomRowAlone) {
    SoftCanvas canvas = makeCanvas(10, 10);
    canvas.fillRect({2, 3, 6, 8}, Brush(kRed));
    EXPECT_EQ(countColour(canvas, kRed), 4 * 5);
    EXPECT_EQ(canvas.pixel(2, 3), kRed);
    EXPECT_EQ(canvas.pixel(5, 7), kRed);
    EXPECT_EQ(canvas.pixel(6, 7), kBlack);
    EXPECT_EQ(canvas.pixel(5, 8), kBlack);

    canvas.fillRect({4, 4, 4, 9}, Brush(rgb(1, 2, 3)));  // no width
    canvas.fillRect({7, 9, 3, 2}, Brush(rgb(1, 2, 3)));  // inverted
    EXPECT_EQ(countColour(canvas, rgb(1, 2, 3)), 0);

    canvas.fillRect({-5, -5, 50, 50}, Brush(kRed));  // clipped to the canvas
    EXPECT_EQ(countColour(canvas, kRed), 100);
}

TEST(SoftCanvasLine, CoversStartButNotEndInEitherDirection) {
    SoftCanvas canvas = makeCanvas(8, 130);
    const Pen pen(kRed);
    canvas.drawLine(3, 24, 3, 70, pen);  // down: rows 24..69
    EXPECT_EQ(countColour(canvas, kRed), 46);
    EXPECT_EQ(canvas.pixel(3, 24), kRed);
    EXPECT_EQ(canvas.pixel(3, 69), kRed);
    EXPECT_EQ(canvas.pixel(3, 70), kBlack);

    canvas.drawLine(5, 64, 5, 0, pen);  // up: rows 64 down to 1
    EXPECT_EQ(canvas.pixel(5, 64), kRed);
    EXPECT_EQ(canvas.pixel(5, 1), kRed);
    EXPECT_EQ(canvas.pixel(5, 0), kBlack);

    canvas.drawLine(0, 100, 8, 100, pen);  // a full-width row, the last column excluded
    EXPECT_EQ(canvas.pixel(7, 100), kRed);

    const int before = countColour(canvas, kRed);
    canvas.drawLine(6, 64, 6, 64, pen);  // start equals end: nothing
    EXPECT_EQ(countColour(canvas, kRed), before);

    canvas.drawLine(2, 0, 2, 200, pen);  // beyond the bottom: clipped, no fault
    EXPECT_EQ(canvas.pixel(2, 129), kRed);
}

TEST(SoftCanvasLine, DiagonalStepsOncePerPixelOfTheLongerAxis) {
    SoftCanvas canvas = makeCanvas(20, 20);
    canvas.drawLine(1, 1, 11, 5, Pen(kRed));
    EXPECT_EQ(countColour(canvas, kRed), 10);
    EXPECT_EQ(canvas.pixel(1, 1), kRed);
    EXPECT_EQ(canvas.pixel(11, 5), kBlack);
    for (int x = 1; x < 11; ++x) {
        int inColumn = 0;
        for (int y = 0; y < 20; ++y) inColumn += canvas.pixel(x, y) == kRed;
        EXPECT_EQ(inColumn, 1) << "column " << x;
    }
}

// One pixel per step of the longer axis, steep or shallow; where the error
// term ties, both coordinates step together.
TEST(SoftCanvasLine, SteepAndShallowLinesStepBothAxesOnATie) {
    struct Case {
        int x0, y0, x1, y1;
        std::vector<std::pair<int, int>> lit;
    };
    const Case cases[] = {
        {0, 0, 1, 2, {{0, 0}, {1, 1}}},
        {1, 2, 0, 0, {{1, 2}, {0, 1}}},
        {0, 0, 2, 5, {{0, 0}, {0, 1}, {1, 2}, {1, 3}, {2, 4}}},
        {4, 0, 2, 6, {{4, 0}, {4, 1}, {3, 2}, {3, 3}, {3, 4}, {2, 5}}},
        {3, 5, 3, 1, {{3, 5}, {3, 4}, {3, 3}, {3, 2}}},
        {0, 0, 2, 1, {{0, 0}, {1, 1}}},
        {2, 1, 0, 0, {{2, 1}, {1, 0}}},
        {0, 0, 4, 1, {{0, 0}, {1, 0}, {2, 1}, {3, 1}}},
    };
    for (const Case& c : cases) {
        SoftCanvas canvas = makeCanvas(8, 8);
        canvas.drawLine(c.x0, c.y0, c.x1, c.y1, Pen(kRed));
        for (const auto& [x, y] : c.lit) {
            EXPECT_EQ(canvas.pixel(x, y), kRed) << c.x0 << "," << c.y0 << " to " << c.x1 << ","
                                                << c.y1 << ": pixel " << x << "," << y;
        }
        EXPECT_EQ(countColour(canvas, kRed), static_cast<int>(c.lit.size()));
    }
}

TEST(SoftCanvasCopy, CombinesWithCopyAndAndOr) {
    const Colour skin = rgb(0x5A, 0x6B, 0x7C);
    const Colour trace = rgb(0x00, 0xA0, 0x00);
    SoftCanvas backdrop = makeCanvas(4, 1, skin);
    SoftCanvas mask = makeCanvas(4, 1, rgb(255, 255, 255));
    SoftCanvas traces = makeCanvas(4, 1, kBlack);
    mask.setPixel(1, 0, kBlack);
    traces.setPixel(1, 0, trace);
    traces.setPixel(2, 0, rgb(0x80, 0x01, 0x00));  // an inner trace over the skin

    backdrop.copyFrom(0, 0, 4, 1, mask, 0, 0, RasterOp::And);
    backdrop.copyFrom(0, 0, 4, 1, traces, 0, 0, RasterOp::Or);
    EXPECT_EQ(backdrop.pixel(0, 0), skin);   // mask white, trace black: skin shows
    EXPECT_EQ(backdrop.pixel(1, 0), trace);  // mask black: the trace replaces the skin
    EXPECT_EQ(backdrop.pixel(2, 0), skin | rgb(0x80, 0x01, 0x00));

    backdrop.copyFrom(3, 0, 1, 1, traces, 1, 0, RasterOp::Copy);
    EXPECT_EQ(backdrop.pixel(3, 0), trace);
}

TEST(SoftCanvasCopy, ScrollsOntoItselfAndSkipsMissingSource) {
    SoftCanvas surface = makeCanvas(6, 2);
    for (int x = 0; x < 6; ++x) surface.setPixel(x, 0, rgb(x, 0, 0));
    surface.copyFrom(0, 0, 5, 2, surface, 1, 0, RasterOp::Copy);  // scroll left by one column
    for (int x = 0; x < 5; ++x) EXPECT_EQ(surface.pixel(x, 0), rgb(x + 1, 0, 0));
    EXPECT_EQ(surface.pixel(5, 0), rgb(5, 0, 0));

    SoftCanvas small = makeCanvas(2, 2, kRed);
    SoftCanvas target = makeCanvas(4, 4);
    target.copyFrom(0, 0, 4, 4, small, 0, 0, RasterOp::Copy);  // only 2 x 2 source pixels exist
    EXPECT_EQ(countColour(target, kRed), 4);
    EXPECT_EQ(target.pixel(2, 2), kBlack);
}

TEST(SoftCanvasClip, ExcludedRectanglesTakeNoDrawingUntilClipIsRemoved) {
    SoftCanvas canvas = makeCanvas(10, 10);
    SoftCanvas source = makeCanvas(10, 10, rgb(9, 9, 9));
    canvas.excludeClip({2, 2, 5, 5});
    canvas.excludeClip({7, 0, 10, 2});
    canvas.fillRect({0, 0, 10, 10}, Brush(kRed));
    EXPECT_EQ(countColour(canvas, kRed), 100 - 9 - 6);
    EXPECT_EQ(canvas.pixel(3, 3), kInvalidColour);  // reads are clipped too
    canvas.copyFrom(0, 0, 10, 10, source, 0, 0, RasterOp::Copy);
    canvas.drawLine(0, 3, 10, 3, Pen(kBlack));
    canvas.setPixel(8, 1, kBlack);

    canvas.removeClip();
    EXPECT_EQ(canvas.pixel(3, 3), kBlack);  // untouched behind the exclusion
    EXPECT_EQ(canvas.pixel(8, 1), kBlack);
    EXPECT_EQ(canvas.pixel(1, 3), kBlack);  // the line outside the exclusion
    EXPECT_EQ(canvas.pixel(5, 5), rgb(9, 9, 9));
}

TEST(SoftCanvasClip, ErasingAroundANewCapKeepsTheCap) {
    // How a fader moves its cap: draw it, exclude it, restore the column
    // from the skin, remove the clip.
    const Colour skinColour = rgb(30, 32, 36);
    SoftCanvas skin = makeCanvas(20, 60, skinColour);
    SoftCanvas cap = makeCanvas(16, 10, rgb(220, 220, 220));
    SoftCanvas window = makeCanvas(20, 60);
    window.copyFrom(2, 5, 16, 10, cap, 0, 0, RasterOp::Copy);  // old cap
    window.copyFrom(2, 30, 16, 10, cap, 0, 0, RasterOp::Copy);
    window.excludeClip({2, 30, 18, 40});
    window.copyFrom(2, 0, 16, 60, skin, 2, 0, RasterOp::Copy);
    window.removeClip();
    EXPECT_EQ(window.pixel(2, 5), skinColour);
    EXPECT_EQ(window.pixel(17, 39), rgb(220, 220, 220));
    EXPECT_EQ(window.pixel(2, 40), skinColour);
}

TEST(SoftCanvasPixel, RoundTripsEveryComponentAndRejectsOutsidePoints) {
    SoftCanvas canvas = makeCanvas(256, 3);
    for (int v = 0; v < 256; ++v) {
        canvas.setPixel(v, 0, rgb(v, 0, 0));
        canvas.setPixel(v, 1, rgb(0, v, 0));
        canvas.setPixel(v, 2, rgb(255 - v, v, v / 2));
    }
    for (int v = 0; v < 256; ++v) {
        EXPECT_EQ(redOf(canvas.pixel(v, 0)), v);
        EXPECT_EQ(greenOf(canvas.pixel(v, 1)), v);
        EXPECT_EQ(canvas.pixel(v, 2), rgb(255 - v, v, v / 2));
    }
    canvas.setPixel(0, 0, 0xFF123456u);  // only the colour bytes are kept
    EXPECT_EQ(canvas.pixel(0, 0), 0x00123456u);
    canvas.setPixel(-1, 0, kRed);
    canvas.setPixel(256, 2, kRed);
    EXPECT_EQ(canvas.pixel(-1, 0), kInvalidColour);
    EXPECT_EQ(canvas.pixel(0, 3), kInvalidColour);
}

class SoftCanvasText : public ::testing::Test {
  protected:
    SoftGraphics graphics{nullptr};
    std::unique_ptr<Font> font = graphics.createFont({"Arial", 14, 5, 400});
    const GlyphSet& glyphs() const { return static_cast<const SoftFont&>(*font).glyphs(); }

    // Leftmost and rightmost columns touched by text in the canvas.
    static std::pair<int, int> inkColumns(const Canvas& canvas, Colour background) {
        int first = canvas.width(), last = -1;
        for (int y = 0; y < canvas.height(); ++y)
            for (int x = 0; x < canvas.width(); ++x)
                if (canvas.pixel(x, y) != background) {
                    first = std::min(first, x);
                    last = std::max(last, x);
                }
        return {first, last};
    }
};

TEST_F(SoftCanvasText, UsesTheCompiledValueFontAndItsCellHeight) {
    EXPECT_EQ(glyphs().height, 14);
    EXPECT_EQ(glyphs().width, 5);
    EXPECT_GE(glyphs().ascent, 10);
    EXPECT_LE(glyphs().ascent, 12);
    // Digits share one width, so read-outs do not jitter as values change.
    for (char d = '1'; d <= '9'; ++d)
        EXPECT_EQ(glyphs().glyph(d).advance, glyphs().glyph('0').advance);
    // The narrow width asked for: lower-case letters average about 5 pixels.
    int lowerCase = 0;
    for (char c = 'a'; c <= 'z'; ++c) lowerCase += glyphs().glyph(c).advance;
    EXPECT_NEAR(lowerCase / 26.0, 5.0, 0.75);
    // Text the value font cannot show stands in as '?'.
    EXPECT_EQ(&glyphs().glyph('\x7f'), &glyphs().glyph('?'));
}

TEST_F(SoftCanvasText, IsCentredTransparentAndStaysInItsRectangle) {
    const Colour back = rgb(40, 44, 50);
    SoftCanvas canvas = makeCanvas(60, 20, back);
    const Rect box{10, 2, 50, 16};
    canvas.drawCentredText("-24.0", box, rgb(255, 255, 255), *font);
    const auto [first, last] = inkColumns(canvas, back);
    ASSERT_LE(first, last);
    EXPECT_GE(first, box.left);
    EXPECT_LT(last, box.right);
    const int width = glyphs().textWidth("-24.0");
    const int penStart = (box.left + box.right - width) / 2;
    EXPECT_LE(std::abs((first - penStart) - (penStart + width - 1 - last)), 2);
    int brightest = 0;  // stems are nearly fully covered: ink reaches the text colour
    for (Colour c : canvas.pixels().pixels) brightest = std::max<int>(brightest, greenOf(c));
    EXPECT_GE(brightest, 240);
    for (int x = 0; x < 60; ++x) EXPECT_EQ(canvas.pixel(x, 0), back);

    SoftCanvas narrow = makeCanvas(60, 20, back);
    narrow.drawCentredText("20.0 : 1", {25, 2, 35, 16}, rgb(255, 255, 255), *font);
    const auto [nFirst, nLast] = inkColumns(narrow, back);
    EXPECT_GE(nFirst, 25);
    EXPECT_LT(nLast, 35);
}

TEST(SoftGraphicsObjects, SurfacesStartBlackAndBitmapsComeFromTheLookup) {
    const std::vector<Colour> pixels{rgb(1, 2, 3),    rgb(4, 5, 6),    rgb(7, 8, 9),
                                     rgb(10, 11, 12), rgb(13, 14, 15), rgb(16, 17, 18)};
    const BitmapImage good{151, 3, 2, pixels};
    const BitmapImage truncated{152, 3, 3, pixels};
    SoftGraphics graphics([&](int id) -> const BitmapImage* {
        return id == 151 ? &good : id == 152 ? &truncated : nullptr;
    });

    auto surface = graphics.createSurface(123, 128);
    EXPECT_EQ(surface->width(), 123);
    EXPECT_EQ(countColour(*surface, kBlack), 123 * 128);

    auto bitmap = graphics.loadBitmap(151);
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(bitmap->width(), 3);
    EXPECT_EQ(bitmap->height(), 2);
    EXPECT_EQ(bitmap->pixel(0, 1), rgb(10, 11, 12));
    EXPECT_EQ(graphics.loadBitmap(152), nullptr);
    EXPECT_EQ(graphics.loadBitmap(999), nullptr);
    EXPECT_EQ(SoftGraphics(nullptr).loadBitmap(151), nullptr);

    auto bold = graphics.createFont({"Arial", 15, 0, 700});
    EXPECT_EQ(static_cast<const SoftFont&>(*bold).glyphs().weight, 700);
    EXPECT_EQ(graphics.createPen(kRed)->colour(), kRed);
}

}  // namespace
}  // namespace platform
