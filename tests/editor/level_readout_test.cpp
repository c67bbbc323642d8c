// The output level read-out's text: the louder channel's RMS with a sine
// reading its peak level, "-INF" for silence, too little or broken sums, and
// the floor that decides between a number and "-INF".
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "editor/level_readout.h"

namespace velmorin {
namespace {

// Sums of n samples whose mean square gives `db` on the read-out's scale.
OutputSums sumsFor(float db, int32_t n) {
    const double rms = std::pow(10.0, (db + 87.298) / 20.0) / 32768.0;
    const auto s = static_cast<float>(rms * rms * n);
    return {s, s, n};
}

TEST(LevelReadout, LouderChannelsRmsWithAFullScaleSineAtZero) {
    EXPECT_EQ(levelReadoutText({22050.0f, 22050.0f, 44100}, kPaintedReadoutFloorDb), "0.0");
    // Left 20 dB below right, and the other way round: the louder one counts.
    EXPECT_EQ(levelReadoutText({220.5f, 22050.0f, 44100}, kPaintedReadoutFloorDb), "0.0");
    EXPECT_EQ(levelReadoutText({22050.0f, 220.5f, 44100}, kPaintedReadoutFloorDb), "0.0");
    EXPECT_EQ(levelReadoutText({220.5f, 220.5f, 44100}, kPaintedReadoutFloorDb), "-20.0");
    EXPECT_EQ(levelReadoutText(sumsFor(-35.26f, 1000), kPaintedReadoutFloorDb), "-35.3");
}

TEST(LevelReadout, FloorSeparatesNumbersFromMinusInfinity) {
    // Just below -99.9: the periodic read-out says "-INF", a repaint the number.
    EXPECT_EQ(levelReadoutText(sumsFor(-99.96f, 512), -99.9f), "-INF");
    EXPECT_EQ(levelReadoutText(sumsFor(-99.96f, 512), kPaintedReadoutFloorDb), "-100.0");
    EXPECT_EQ(levelReadoutText(sumsFor(-100.2f, 512), kPaintedReadoutFloorDb), "-INF");
}

TEST(LevelReadout, NoSamplesNoEnergyOrBrokenSumsReadMinusInfinity) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(levelReadoutText({}, kPaintedReadoutFloorDb), "-INF");
    EXPECT_EQ(levelReadoutText({0.0f, 0.0f, 512}, kPaintedReadoutFloorDb), "-INF");
    EXPECT_EQ(levelReadoutText({5.0f, 5.0f, 0}, kPaintedReadoutFloorDb), "-INF");
    EXPECT_EQ(levelReadoutText({nan, nan, 512}, kPaintedReadoutFloorDb), "-INF");
    EXPECT_EQ(levelReadoutText({5.0f, 5.0f, -512}, kPaintedReadoutFloorDb), "-INF");
}

}  // namespace
}  // namespace velmorin
