// Drawing the trace and mask surfaces from the column history, and that this
// matches what the ticks drew when they appended the same columns.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

#include "editor/trace_column.h"
#include "editor/wave_surfaces.h"
#include "platform/soft/soft_graphics.h"
#include "soft_canvases.h"
#include "test_inks.h"

namespace velmorin {
namespace {

using platform::Canvas;
using platform::Colour;
using platform::rgb;
using testing::wavePenColour;

constexpr Colour kBlack = rgb(0, 0, 0);
constexpr Colour kWhite = rgb(255, 255, 255);
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

std::vector<Colour> columnOf(const Canvas& canvas, int x) {
    std::vector<Colour> column;
    for (int y = 0; y < canvas.height(); ++y) column.push_back(canvas.pixel(x, y));
    return column;
}

// A vertical line as the canvas draws it: from `start` toward `end`, the end
// row left out, whatever lies off the 128 rows clipped.
void paintRows(std::vector<Colour>& column, int64_t start, int64_t end, Colour ink) {
    const int64_t first = start <= end ? start : end + 1;
    const int64_t last = start <= end ? end - 1 : start;
    for (int64_t y = std::max<int64_t>(first, 0); y <= std::min<int64_t>(last, 127); ++y)
        column[static_cast<size_t>(y)] = ink;
}

struct ExpectedColumn {
    std::vector<Colour> trace;
    std::vector<Colour> mask;
};

// Rows worked out from the scale rule: truncate(v x z / 1024) above row 64
// with the 32-bit product wrapping, the top at most 64, the bottom at least -64.
ExpectedColumn expectedColumn(const WaveColumn& c, int32_t zoom, int display) {
    const auto offset = [zoom](int32_t v) {
        const auto product = static_cast<int32_t>(static_cast<uint32_t>(v) * uint32_t(zoom));
        return static_cast<int64_t>(product) / 1024;
    };
    const auto top = [&](int32_t v) { return 64 - std::min<int64_t>(offset(v), 64); };
    const auto bottom = [&](int32_t v) { return 64 - std::max<int64_t>(offset(v), -64); };
    ExpectedColumn e{std::vector<Colour>(128, kBlack), std::vector<Colour>(128, kWhite)};
    paintRows(e.trace, top(c.outerTop), bottom(c.outerBottom), wavePenColour(display, 0));
    paintRows(e.mask, top(c.outerTop), bottom(c.outerBottom), kBlack);
    paintRows(e.trace, top(c.innerTop), bottom(c.innerBottom), wavePenColour(display, 1));
    return e;
}

class WaveRerender : public ::testing::Test {
  protected:
    WaveSurfaces build() {
        return buildWaveSurfaces(graphics, skin, CornerHighlight(), inks.view());
    }
    void rerender(const DisplayZooms& zooms) {
        rerenderWaveDisplays(surfaces, ring, zooms, pens, inks.view());
    }
    void expectColumn(int display, int x, const WaveColumn& c, int32_t zoom) {
        const ExpectedColumn e = expectedColumn(c, zoom, display);
        EXPECT_EQ(columnOf(*surfaces.displays[display].trace, x), e.trace)
            << "trace of display " << display << ", column " << x;
        EXPECT_EQ(columnOf(*surfaces.displays[display].mask, x), e.mask)
            << "mask of display " << display << ", column " << x;
    }

    platform::SoftGraphics graphics{{}};
    platform::SoftCanvas skin = testing::softCanvas(654, 431, rgb(40, 44, 52));
    testing::OwnedInks inks;
    WavePens pens = testing::distinctWavePens();
    WaveSurfaces surfaces = build();
    WaveColumnRing ring;
};

TEST_F(WaveRerender, OldestColumnAtOneNewestAt122) {
    const WaveColumn first{2048, -2048, 1024, -512};
    const WaveColumn last{512, -4096, 0, 0};
    ring.write(0, first);
    rerender({20, 20, 20, 20});
    expectColumn(0, 1, first, 20);
    expectColumn(0, 122, {}, 20);

    for (int i = 0; i < 121; ++i) ring.advance();
    ring.write(0, last);
    rerender({20, 20, 20, 20});
    expectColumn(0, 1, last, 20);
    expectColumn(0, 2, first, 20);
    expectColumn(0, 122, {}, 20);
    EXPECT_EQ(surfaces.displays[0].trace->pixel(2, 24), wavePenColour(0, 0));  // 2048 at zoom 20
    EXPECT_EQ(surfaces.displays[0].trace->pixel(2, 104), kBlack);              // end row left out
}

TEST_F(WaveRerender, EachDisplayUsesItsZoomAndPensAndOnlyTheOuterPairCutsTheMask) {
    const WaveColumn loud{10000, -10000, 1024, -1024};
    const WaveColumn inverted{-10000, 10000, -300, 300};  // top below the centre, bottom above
    for (int g = 0; g < 4; ++g) ring.write(g, g % 2 ? inverted : loud);
    const DisplayZooms zooms{20, 7, 1, 32};
    rerender(zooms);
    for (int g = 0; g < 4; ++g) expectColumn(g, 1, g % 2 ? inverted : loud, zooms[g]);
    EXPECT_EQ(surfaces.displays[0].mask->pixel(1, 0), kBlack);  // limited to the top row
    EXPECT_EQ(surfaces.displays[0].mask->pixel(1, 127), kBlack);
    EXPECT_EQ(surfaces.displays[0].trace->pixel(1, 64), wavePenColour(0, 1));
}

TEST_F(WaveRerender, ClearsEverythingAndDrawsNothingAtZoomZero) {
    for (DisplaySurfaces& display : surfaces.displays) {
        display.trace->fillRect({0, 0, 123, 128}, platform::Brush(rgb(200, 0, 0)));
        display.mask->fillRect({0, 0, 123, 128}, platform::Brush(rgb(0, 0, 200)));
    }
    for (int i = 0; i < 122; ++i) {
        for (int g = 0; g < 4; ++g) ring.write(g, {30000, -30000, 20000, -20000});
        ring.advance();
    }
    rerender({0, 0, 0, 0});
    for (const DisplaySurfaces& display : surfaces.displays) {
        for (int x = 0; x < 123; ++x) {
            EXPECT_EQ(columnOf(*display.trace, x), std::vector<Colour>(128, kBlack));
            EXPECT_EQ(columnOf(*display.mask, x), std::vector<Colour>(128, kWhite));
        }
    }
}

TEST_F(WaveRerender, FarOffValuesAndZoomsDrawOnlyWhatTheRuleSays) {
    const int32_t values[] = {kMin, -40'000'000, -3000, 0, 2500, 70'000'000, kMax};
    const int32_t zooms[] = {kMin, -20, 0, 3, 32, 1'000'000'000};
    for (int32_t zoom : zooms) {
        for (int32_t top : values) {
            for (int32_t bottom : values) {
                const WaveColumn c{top, bottom, bottom, top};
                DisplaySurfaces& display = surfaces.displays[3];
                display.trace->fillRect({5, 0, 6, 128}, inks.black);
                display.mask->fillRect({5, 0, 6, 128}, inks.white);
                drawTraceColumn(*display.trace, *display.mask, 5, c, zoom, pens[3], inks.blackPen);
                expectColumn(3, 5, c, zoom);
            }
        }
    }
}

// Varied columns, from silence to values that overflow the zoom product.
class ColumnSource {
  public:
    WaveColumn next() { return {value(), value(), value(), value()}; }

  private:
    int32_t value() {
        state_ = state_ * 1664525u + 1013904223u;
        const auto raw = static_cast<int32_t>(state_);
        switch ((state_ >> 28) % 4) {
            case 0:
                return 0;
            case 1:
                return raw % 3000;
            case 2:
                return raw % 50000;
            default:
                return raw;
        }
    }
    uint32_t state_ = 12345;
};

TEST_F(WaveRerender, ReproducesWhatAppendingTheSameColumnsDrew) {
    const DisplayZooms zooms{20, 5, 32, 1};
    for (int ticks : {60, 130}) {
        ring = WaveColumnRing();
        WaveSurfaces appended = build();
        ColumnSource source;
        for (int t = 0; t < ticks; ++t) {
            for (int g = 0; g < 4; ++g) {
                const WaveColumn c = source.next();
                appendWaveColumn(appended, ring, g, c, zooms[g], pens, inks.view());
                ASSERT_EQ(ring.at(g, ring.columnPos()), c);
            }
            ring.advance();
        }
        surfaces = build();
        rerender(zooms);
        // Column 0 keeps a scrolled-out column after 122 ticks; the re-render
        // leaves it empty, and no display shows it.
        const int firstShown = ticks < 122 ? 0 : 1;
        for (int g = 0; g < 4; ++g) {
            for (int x = firstShown; x < 123; ++x) {
                ASSERT_EQ(columnOf(*surfaces.displays[g].trace, x),
                          columnOf(*appended.displays[g].trace, x))
                    << ticks << " ticks, display " << g << ", column " << x;
                ASSERT_EQ(columnOf(*surfaces.displays[g].mask, x),
                          columnOf(*appended.displays[g].mask, x))
                    << ticks << " ticks, display " << g << ", column " << x;
            }
        }
    }
}

TEST_F(WaveRerender, WithoutSurfacesOnlyTheRingIsWritten) {
    WaveSurfaces closed;
    const WaveColumn c{2048, -2048, 0, 0};
    appendWaveColumn(closed, ring, 1, c, 20, pens, inks.view());
    appendWaveColumn(closed, ring, 4, c, 20, pens, inks.view());
    rerenderWaveDisplays(closed, ring, {20, 20, 20, 20}, pens, inks.view());
    EXPECT_EQ(ring.at(1, 0), c);
}

}  // namespace
}  // namespace velmorin
