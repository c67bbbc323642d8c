// The demo mix is the same on every run and has dynamics worth mastering.
#include <gtest/gtest.h>

#include <cmath>

#include "demo_mix.h"
#include "loudness.h"

using namespace velmorin::host;

namespace {

double rmsDb(const AudioBuffer& audio, double from, double to) {
    double sum = 0.0;
    const auto first = static_cast<std::size_t>(from * audio.sampleRate);
    const auto last = static_cast<std::size_t>(to * audio.sampleRate);
    for (std::size_t i = first; i < last; ++i) sum += double(audio.left[i]) * audio.left[i];
    return 10.0 * std::log10(sum / static_cast<double>(last - first));
}

TEST(DemoMix, IsDeterministicStereoOfTwentySeconds) {
    const AudioBuffer first = synthesizeDemoMix();
    const AudioBuffer second = synthesizeDemoMix();
    EXPECT_EQ(first.sampleRate, kDemoSampleRate);
    EXPECT_EQ(first.frames(), static_cast<std::size_t>(kDemoSeconds * kDemoSampleRate));
    EXPECT_EQ(first.left, second.left);
    EXPECT_EQ(first.right, second.right);
    EXPECT_NE(first.left, first.right);
}

TEST(DemoMix, HasQuietAndLoudSectionsAndSharpPeaks) {
    const AudioBuffer mix = synthesizeDemoMix();
    const Loudness loudness = measureLoudness(mix);
    EXPECT_NEAR(*loudness.samplePeakDb, -1.0, 1e-3);
    EXPECT_GT(*loudness.rangeLu, 4.0);
    const double intro = rmsDb(mix, 0.0, 4.0);
    const double drop = rmsDb(mix, 14.0, 20.0);
    EXPECT_GT(drop - intro, 6.0);
    // A crest factor far above a sine's 3 dB: transients for a limiter to catch.
    EXPECT_GT(*loudness.samplePeakDb - drop, 9.0);
}

}  // namespace
