// The display tick through the timer and the window procedure: meters falling
// into place, gain-reduction and output peak marks with their hold, colours
// and limits, the level read-out and its rhythm, the Output fader following
// the normalizer.
#include <cmath>

#include "editor/meters.h"
#include "platform/window_messages.h"
#include "tick_fixture.h"

namespace velmorin {
namespace {

using platform::rgb;

TEST(HoldTicks, ScaleTheHoldTimeToTheDisplaySpeed) {
    struct Row {
        int32_t peakHold;
        int32_t bySpeed[4];
    };
    const Row rows[] = {
        {16, {16, 21, 27, 33}},      {32, {32, 42, 53, 66}},
        {48, {48, 64, 80, 100}},     {64, {64, 85, 106, 133}},
        {80, {80, 106, 133, 166}},   {160, {160, 212, 266, 332}},
        {240, {240, 319, 398, 498}}, {100000000, {100000000, 132799992, 166000000, 207500000}}};
    for (const Row& row : rows)
        for (int speed = 1; speed <= 4; ++speed)
            EXPECT_EQ(holdTicks(row.peakHold, speed), row.bySpeed[speed - 1]) << row.peakHold;
    // Stored values no menu offers: a hold of at least one tick, no overflow.
    EXPECT_EQ(holdTicks(0, 2), 1);
    EXPECT_EQ(holdTicks(-5, 1), 1);
    EXPECT_EQ(holdTicks(32, 9), 32);
    EXPECT_EQ(holdTicks(INT32_MAX, 4), INT32_MAX);
}

TEST(OutputMeterTarget, FullScaleLightsRow225AndLimitsStopBelowTheOvers) {
    EXPECT_EQ(outputMeterTarget(1.0f, 1.0f, false), 225);
    EXPECT_EQ(outputMeterTarget(0.5f, 2.0f, false), 225);
    EXPECT_EQ(outputMeterTarget(0.0f, 1.0f, false), 0);
    EXPECT_EQ(outputMeterTarget(100.0f, 1.0f, false), 288);
    EXPECT_EQ(outputMeterTarget(100.0f, 1.0f, true), 224);
    EXPECT_EQ(outputMeterTarget(1e-9f, 1.0f, false), 0);
    EXPECT_EQ(outputMeterTarget(NAN, 1.0f, false), 32);  // defined, whatever the feed holds
}

using DisplayTickTest = TickFixture;

TEST_F(DisplayTickTest, MetersFallFromFullScaleWithinTheFirstTicks) {
    const int16_t falling[] = {128, 63, 31, 15, 7, 3, 1, 0};
    const int16_t outFalling[] = {127, 63, 31, 15, 7, 3, 1, 0};
    for (int t = 0; t < 8; ++t) {
        tick();
        for (int d = 0; d < 4; ++d) EXPECT_EQ(view().meters.bandMeterHeight[d], falling[t]) << t;
        EXPECT_EQ(view().meters.outMeterHeight[0], outFalling[t]) << t;
        EXPECT_EQ(view().meters.outMeterHeight[1], outFalling[t]) << t;
    }
}

TEST_F(DisplayTickTest, GainReductionMarkHoldsTwentyOneTicksAtSpeedTwoAndHoldSixteen) {
    view().prefs.peakHold = 16;
    tick(30);
    const platform::Colour blue = rgb(110, 131, 241);
    const Place strip = kGainStripPlaces[0];
    // 0.5 reduced to 0.125: 12 dB, the whole strip.
    feedLane(0, 0.5f, 0.25f);
    tick();
    EXPECT_EQ(view().meters.bandMeterHeight[0], 124);
    for (int row : {0, 60, 123})
        EXPECT_EQ(at(*effect, strip.x + 4, strip.y + row), bitmapAt(kBitmapGainMeterLit, 4, row));
    for (int later = 2; later <= 21; ++later) {
        EXPECT_EQ(at(*effect, strip.x + 4, strip.y + 124), blue) << later;
        tick();
    }
    EXPECT_EQ(view().meters.bandPeakMark[0], 137);
    EXPECT_EQ(at(*effect, strip.x + 4, strip.y + 124), blue);
    EXPECT_EQ(view().meters.bandMeterHeight[0], 0);
    tick();  // the 22nd: the mark drops to the bar, which is gone
    EXPECT_EQ(view().meters.bandPeakMark[0], 13);
    EXPECT_EQ(at(*effect, strip.x + 4, strip.y + 124), skinAt(505 + 4, 84 + 124));
    EXPECT_EQ(at(*effect, strip.x + 4, strip.y + 10), skinAt(505 + 4, 84 + 10));
    // The other displays never saw a reduction.
    EXPECT_EQ(view().meters.bandPeakMark[1], 13);
}

TEST_F(DisplayTickTest, OutputMarksAreRedAboveFullScaleGreenBelowAndBypassDropsTheBars) {
    effect->setParameter(kOutput, 24000.0f);  // 0 dB
    ASSERT_EQ(engine().outputGain.get(), 1.0f);
    view().prefs.peakHold = 16;
    tick(30);
    LaneExtremes block;
    block.lane[3] = {1.2f, 0, 0.5f, 0, 1.0f, 0, 1.0f, 0};
    engine().feed.waves.publish(block);
    tick();
    EXPECT_EQ(view().meters.outMeterHeight[0], 242);
    EXPECT_EQ(view().meters.outMeterHeight[1], 161);
    tick();  // the bars fall, the marks stay on their top rows
    const Place meter = kOutputMeterPlace;
    EXPECT_EQ(at(*effect, meter.x + 7, meter.y + 289 - 242), rgb(200, 0, 0));
    EXPECT_EQ(at(*effect, meter.x + 16 + 7, meter.y + 289 - 161), rgb(0, 160, 0));
    EXPECT_EQ(at(*effect, meter.x + 7, meter.y + 280), bitmapAt(kBitmapOutputMeterLit, 7, 280));
    EXPECT_EQ(at(*effect, meter.x + 7, meter.y + 100), skinAt(meter.x + 7, meter.y + 100));

    effect->setParameter(kBypass, 1.0f);
    engine().feed.waves.publish(block);
    tick();
    EXPECT_EQ(view().meters.outMeterHeight[0], 0);
    EXPECT_EQ(view().meters.outMeterHeight[1], 0);
    EXPECT_EQ(at(*effect, meter.x + 7, meter.y + 280), skinAt(meter.x + 7, meter.y + 280));
}

TEST_F(DisplayTickTest, NormalizeAndARelinkKeepTheOutputBarsBelowTheOvers) {
    effect->setParameter(kOutput, 24000.0f);
    tick(10);
    LaneExtremes overs;
    overs.lane[3] = {4.0f, -4.0f, 4.0f, -4.0f, 1.0f, 1.0f, 1.0f, 1.0f};
    effect->setParameter(kNormalize, 1.0f);
    // A steady level holds the bar, which an equal target lowers by one.
    for (int t = 0; t < 5; ++t) {
        engine().feed.waves.publish(overs);
        tick();
        for (int bar = 0; bar < 2; ++bar) {
            EXPECT_LE(view().meters.outMeterHeight[bar], 224) << t;
            EXPECT_GE(view().meters.outMeterHeight[bar], 223) << t;
        }
    }

    effect->setParameter(kNormalize, 0.0f);
    engine().outputRelinked.set(1);
    engine().feed.waves.publish(overs);
    tick();
    EXPECT_LE(view().meters.outMeterHeight[0], 224);
    EXPECT_EQ(engine().outputRelinked.get(), 0);
    engine().feed.waves.publish(overs);
    tick();  // the relink limits one tick only
    EXPECT_EQ(view().meters.outMeterHeight[0], 288);
}

TEST_F(DisplayTickTest, NormalizeMovesTheOutputFaderToTheGainItLeavesWithoutTellingTheHost) {
    effect->setParameter(kNormalize, 1.0f);
    ASSERT_NEAR(engine().outputGain.get(), 15.84931f, 1e-4f);
    tick();
    EXPECT_EQ(engine().stored.output.get(), 0);
    EXPECT_EQ(view().controls.fader(kOutput)->value(), 0.0f);
    EXPECT_EQ(engine().lastShownOutputGain.get(), engine().outputGain.get());
    engine().parametersChanged.set(0);

    engine().outputGain.set(2.0f);  // the normalizer found a peak
    tick();
    EXPECT_EQ(engine().stored.output.get(), 17979);
    EXPECT_EQ(view().controls.fader(kOutput)->value(), 17979.0f);
    EXPECT_EQ(engine().parametersChanged.get(), 0);  // not a parameter change

    effect->setParameter(kNormalize, 0.0f);
    engine().outputGain.set(4.0f);
    tick();  // without the normalizer the fader is the user's
    EXPECT_EQ(engine().stored.output.get(), 17979);
}

TEST_F(DisplayTickTest, ReadoutShowsEveryTwelfthTickAndItsOwnFloor) {
    // A full-scale sine's energy reads 0.0.
    engine().feed.output.publish({0.5f * 4096, 0.25f * 4096, 4096});
    tick();
    EXPECT_TRUE(readoutShows("0.0"));
    EXPECT_EQ(view().readoutSums.sampleCount, 0);
    for (int t = 2; t <= 12; ++t) {
        engine().feed.output.publish({0.005f * 512, 0, 512});  // -20 dB
        tick();
        EXPECT_TRUE(readoutShows("0.0")) << t;
    }
    tick();  // the 13th shows all that gathered meanwhile
    EXPECT_TRUE(readoutShows("-20.0"));
    tick(12);  // no output since: no level
    EXPECT_TRUE(readoutShows("-INF"));

    // Just below -99.9 dB: the tick says -INF, a paint still the number.
    const float energy = std::pow(10.0f, (-99.96f + 87.298f) / 10.0f) / (32768.0f * 32768.0f);
    const OutputSums faint{energy * 1000, 0, 1000};
    ASSERT_EQ(levelReadoutText(faint, kPaintedReadoutFloorDb), "-100.0");
    engine().feed.output.publish(faint);
    tick(12);
    EXPECT_TRUE(readoutShows("-INF"));
    engine().feed.output.publish(faint);
    windows.invalidate(window());
    windows.updateWindow(window());
    EXPECT_TRUE(readoutShows("-100.0"));
}

TEST_F(DisplayTickTest, AClickOnAMeterEndsTheHoldOfItsMark) {
    view().prefs.peakHold = 16;
    tick(25);
    LaneExtremes block;
    block.lane[1] = {0.5f, 0, 0, 0, 0.25f, 0, 0, 0};
    block.lane[3] = {1.2f, 0, 0, 0, 1.0f, 0, 0, 0};
    engine().feed.waves.publish(block);
    tick(2);  // the bars fall below their marks
    ASSERT_EQ(view().meters.bandPeakMark[1], 137);
    ASSERT_LT(view().meters.outPeakMark[0], 77);
    const auto click = [&](int x, int y) {
        const auto point = static_cast<std::intptr_t>((y << 16) | x);
        windows.send(window(), platform::kMsgLeftButtonDown, 1, point);
        windows.send(window(), platform::kMsgLeftButtonUp, 0, point);
    };
    click(310, 200);
    click(620, 300);
    click(310, 150);  // between the High and Mid strips: nothing
    tick();
    EXPECT_EQ(view().meters.bandPeakMark[1], view().meters.bandMeterHeight[1] + 13);
    EXPECT_LT(view().meters.bandMeterHeight[1], 124);
    EXPECT_EQ(view().meters.outPeakMark[0], 302 - view().meters.outMeterHeight[0]);
    EXPECT_GT(view().meters.outPeakMark[0], 77);
}

TEST_F(DisplayTickTest, MeterStateOutlivesCloseAndATickForAClosedEditorDoesNothing) {
    tick(10);
    feedLane(1, 0.5f, 0.25f);
    tick();
    const MeterState before = view().meters;
    const platform::WindowHandle closed = window();
    editorOf(*effect).close();
    windows.send(closed, kMsgDisplayTick, 0, 0);
    EXPECT_EQ(view().meters.bandMeterHeight, before.bandMeterHeight);
    EXPECT_EQ(view().meters.readoutPhase, before.readoutPhase);
    ASSERT_TRUE(editorOf(*effect).open(&hostWindow));
    tick();
    EXPECT_EQ(view().meters.bandPeakMark[1], before.bandPeakMark[1]);
    EXPECT_EQ(view().meters.bandMeterHeight[1], 124 - (124 / 2 + 1));
}

}  // namespace
}  // namespace velmorin
