// The wave displays on display ticks: one column per tick at every display
// speed, traces and threshold lines where they belong, what bypass, a band
// switched off and a bypassed band show, and a full paint that shows exactly
// what the ticks drew.
#include <cmath>
#include <vector>

#include "editor/wave_columns.h"
#include "tick_fixture.h"

namespace velmorin {
namespace {

using platform::Colour;
using platform::rgb;

TEST(ThresholdRows, LieSymmetricAboutTheCentreUntilTheyLeaveTheDisplay) {
    const ThresholdRows fullScale = thresholdRows(1.0f, 2);
    EXPECT_TRUE(fullScale.drawn);
    EXPECT_EQ(fullScale.upper, 0);
    EXPECT_EQ(fullScale.lower, 127);
    EXPECT_FALSE(thresholdRows(1.0f, 4).drawn);
    const ThresholdRows half = thresholdRows(0.5f, 2);  // k = 31
    EXPECT_EQ(half.upper, 32);
    EXPECT_EQ(half.lower, 95);
}

class WaveColumnsTest : public TickFixture {
  protected:
    // A display's skin area with its corner highlight: what it shows
    // without traces or threshold lines.
    std::vector<Colour> emptyDisplay(int d) {
        auto surface = graphics.createSurface(kDisplayWidth, kDisplayHeight);
        const SharedDrawing& shared = SharedEditorResources::process().drawing({});
        surface->copyFrom(0, 0, kDisplayWidth, kDisplayHeight, shared.skin(), kDisplayPlaces[d].x,
                          kDisplayPlaces[d].y, platform::RasterOp::Copy);
        shared.cornerHighlight().apply(*surface, d);
        std::vector<Colour> pixels;
        for (int y = 0; y < kDisplayHeight; ++y)
            for (int x = 0; x < kDisplayWidth; ++x) pixels.push_back(surface->pixel(x, y));
        return pixels;
    }
    std::vector<Colour> shownDisplay(int d) {
        std::vector<Colour> pixels;
        for (int y = 0; y < kDisplayHeight; ++y)
            for (int x = 0; x < kDisplayWidth; ++x)
                pixels.push_back(at(*effect, kDisplayPlaces[d].x + x, kDisplayPlaces[d].y + y));
        return pixels;
    }
    Colour shownAt(int d, int x, int y) {
        return at(*effect, kDisplayPlaces[d].x + x, kDisplayPlaces[d].y + y);
    }
    void feedAllLanes(float peak) {
        LaneExtremes block;
        for (WaveExtremes& lane : block.lane) lane = {peak, -peak, peak, -peak, 0.5f, 0.5f, 1, 1};
        engine().feed.waves.publish(block);
    }
};

TEST_F(WaveColumnsTest, EveryTickAddsOneColumnAtEachDisplaySpeed) {
    for (auto [speed, perSecond] : {std::pair{1, 6}, {2, 8}, {3, 10}, {4, 12}}) {
        editorOf(*effect).close();
        preferences.write({0, 32, 1, DisplayPrefs{}.waveColours, 1, speed, 1});
        ASSERT_TRUE(editorOf(*effect).open(&hostWindow));
        const int before = view().waveColumns.columnPos();
        windows.advance(1000);
        EXPECT_EQ(view().waveColumns.columnPos(), (before + perSecond) % 122) << speed;
    }
}

TEST_F(WaveColumnsTest, AColumnShowsOuterAndInnerTracesUnderTheThresholdLines) {
    effect->setParameter(kZoomH, 4.0f);
    effect->setParameter(kThrH, 12.0f);  // -6 dB: k = 63, the lines on the edges
    tick();
    const int pos = view().waveColumns.columnPos();
    // 0.5 reduced to 0.25 going up, -0.25 unreduced going down.
    feedLane(0, 0.5f, 0.5f, -0.25f, 1.0f);
    tick();
    EXPECT_EQ(view().waveColumns.at(0, pos), (WaveColumn{16384, -8192, 8192, -8192}));
    tick();  // a tick later the column enters the visible area
    const std::vector<Colour> empty = emptyDisplay(0);
    const auto emptyAt = [&](int x, int y) { return empty[y * kDisplayWidth + x]; };
    const Colour outer = rgb(128, 137, 223), inner = rgb(200, 220, 255), line = rgb(0, 200, 0);
    EXPECT_EQ(shownAt(0, 121, 0), line);
    EXPECT_EQ(shownAt(0, 121, 10), outer);
    EXPECT_EQ(shownAt(0, 121, 31), outer);
    EXPECT_EQ(shownAt(0, 121, 32), inner);
    EXPECT_EQ(shownAt(0, 121, 95), inner);
    EXPECT_EQ(shownAt(0, 121, 96), emptyAt(121, 96));
    EXPECT_EQ(shownAt(0, 121, 127), line);
    EXPECT_EQ(shownAt(0, 120, 10), emptyAt(120, 10));  // the silent column before
    EXPECT_EQ(shownAt(0, 60, 127), line);
    EXPECT_EQ(shownAt(0, 60, 126), emptyAt(60, 126));
}

TEST_F(WaveColumnsTest, ZoomThirtyTwoFillsTheOuterTraceToTheTopEdge) {
    effect->setParameter(kZoomH, 32.0f);
    feedLane(0, 0.125f, 1.0f);
    tick(2);
    EXPECT_EQ(shownAt(0, 121, 0), rgb(200, 220, 255));  // the inner trace covers the outer
    EXPECT_EQ(shownAt(0, 121, 63), rgb(200, 220, 255));
}

TEST_F(WaveColumnsTest, BypassBandOffAndBandBypassHideWhatTheyShould) {
    tick(2);
    const std::vector<Colour> emptyHigh = emptyDisplay(0);
    // Bypassed: the ring takes empty columns and every display is bare,
    // whatever the feed holds.
    effect->setParameter(kBypass, 1.0f);
    const int pos = view().waveColumns.columnPos();
    feedAllLanes(0.5f);
    tick();
    for (int d = 0; d < 4; ++d) {
        EXPECT_EQ(view().waveColumns.at(d, pos), WaveColumn{}) << d;
        EXPECT_EQ(shownDisplay(d), emptyDisplay(d)) << d;
    }
    effect->setParameter(kBypass, 0.0f);

    // High off: bare, its corner still highlighted; Mid keeps its lines.
    effect->setParameter(kHighOn, 0.0f);
    feedAllLanes(0.5f);
    tick(2);
    EXPECT_EQ(shownDisplay(0), emptyHigh);
    EXPECT_NE(shownDisplay(1), emptyDisplay(1));

    // Any non-zero On value shows the band.
    engine().stored.bandOn[0].set(0.3f);
    tick();
    EXPECT_NE(shownDisplay(0), emptyHigh);

    // High bypassed: the traces stay, the threshold lines go.
    engine().stored.bandOn[0].set(1.0f);
    effect->setParameter(kThrH, 12.0f);
    effect->setParameter(kZoomH, 2.0f);
    feedAllLanes(0.5f);
    tick(2);
    EXPECT_NE(shownAt(0, 121, 40), emptyHigh[40 * 122 + 121]);
    EXPECT_NE(shownAt(0, 60, 32), emptyHigh[32 * 122 + 60]);  // k = 31
    effect->setParameter(kHighBypass, 1.0f);
    feedAllLanes(0.5f);
    tick(2);
    EXPECT_NE(shownAt(0, 121, 40), emptyHigh[40 * 122 + 121]);
    EXPECT_EQ(shownAt(0, 60, 32), emptyHigh[32 * 122 + 60]);
}

TEST_F(WaveColumnsTest, AFullPaintShowsWhatTheTicksDrew) {
    effect->setProgram(1);
    std::vector<float> left(512), right(512), outLeft(512), outRight(512);
    int frame = 0;
    for (int t = 0; t < 40; ++t) {
        for (int block = 0; block < 11; ++block) {
            for (int i = 0; i < 512; ++i, ++frame) {
                const float burst = (frame / 6000) % 3 == 0 ? 0.9f : 0.2f;
                left[i] = burst * std::sin(0.03f * static_cast<float>(frame));
                right[i] = 0.5f * burst * std::sin(0.011f * static_cast<float>(frame));
            }
            float* inputs[2] = {left.data(), right.data()};
            float* outputs[2] = {outLeft.data(), outRight.data()};
            effect->processReplacing(inputs, outputs, 512);
        }
        tick();
    }
    const platform::PixelBuffer ticked = *windows.clientPixels(window());
    windows.windowCanvas(window())->fillRect({0, 0, 654, 431}, platform::Brush(rgb(1, 2, 3)));
    windows.invalidate(window());
    windows.updateWindow(window());
    const platform::PixelBuffer painted = *windows.clientPixels(window());
    // Where the ticks draw: the wave areas, their strips and the output meter.
    std::vector<platform::Rect> drawn{{kOutputMeterPlace.x, kOutputMeterPlace.y,
                                       kOutputMeterPlace.x + 31, kOutputMeterPlace.y + 289}};
    for (int d = 0; d < 4; ++d) {
        const Place w = kDisplayPlaces[d], s = kGainStripPlaces[d];
        drawn.push_back({w.x, w.y, w.x + 122, w.y + 128});
        drawn.push_back({s.x, s.y, s.x + 13, s.y + 125});
    }
    int compared = 0;
    for (const platform::Rect& r : drawn)
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x, ++compared)
                ASSERT_EQ(painted.at(x, y), ticked.at(x, y)) << x << "," << y;
    EXPECT_EQ(compared, 4 * (122 * 128 + 13 * 125) + 31 * 289);
    // And the ticks drew something: traces in the Master display.
    EXPECT_NE(shownDisplay(3), emptyDisplay(3));
}

}  // namespace
}  // namespace velmorin
