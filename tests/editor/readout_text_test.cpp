// The read-out texts of the five fader kinds at the values that matter.
#include <gtest/gtest.h>

#include "editor/readout_text.h"

namespace velmorin {
namespace {

TEST(ReadoutText, ThresholdShowsHalfDecibelSteps) {
    EXPECT_EQ(readoutText(Readout::Threshold, 12, false), "-6.0");
    EXPECT_EQ(readoutText(Readout::Threshold, 72, false), "-36.0");
    EXPECT_EQ(readoutText(Readout::Threshold, 13, true), "-6.5");  // dimmed keeps its number
}

TEST(ReadoutText, MixShowsGainAroundZeroOrOffWhenDimmed) {
    EXPECT_EQ(readoutText(Readout::Mix, 120, false), "0.0");
    EXPECT_EQ(readoutText(Readout::Mix, 0, false), "12.0");
    EXPECT_EQ(readoutText(Readout::Mix, 240, false), "-12.0");
    EXPECT_EQ(readoutText(Readout::Mix, 120, true), "OFF");
}

TEST(ReadoutText, RatioRoundsToHalfSteps) {
    EXPECT_EQ(readoutText(Readout::Ratio, 0, false), "1.0 : 1");
    EXPECT_EQ(readoutText(Readout::Ratio, 1, false), "20.0 : 1");
    EXPECT_EQ(readoutText(Readout::Ratio, 19.0f / 38.0f, false), "10.5 : 1");
}

TEST(ReadoutText, LimiterKeepsTheSignOfZeroAndOutputTwoDecimals) {
    EXPECT_EQ(readoutText(Readout::Limiter, 0, false), "-0.0");
    EXPECT_EQ(readoutText(Readout::Limiter, 48, false), "-24.0");
    EXPECT_EQ(readoutText(Readout::Output, 0, false), "24.00");
    EXPECT_EQ(readoutText(Readout::Output, 24000, false), "0.00");
}

TEST(ReadoutText, OnlyBandFadersGreyOut) {
    EXPECT_TRUE(readoutGreysWhenDimmed(Readout::Mix));
    EXPECT_TRUE(readoutGreysWhenDimmed(Readout::Ratio));
    EXPECT_TRUE(readoutGreysWhenDimmed(Readout::Threshold));
    EXPECT_FALSE(readoutGreysWhenDimmed(Readout::Output));
    EXPECT_FALSE(readoutGreysWhenDimmed(Readout::Limiter));
}

}  // namespace
}  // namespace velmorin
