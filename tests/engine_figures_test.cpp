// The engine's derived values against figures worked out by hand at 44.1 kHz.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "engine/block_values.h"
#include "engine/compressor_lanes.h"
#include "engine/dither_noise.h"
#include "engine/parameter_mapping.h"

using namespace velmorin;

namespace {

void expectRelative(float actual, float expected) {
    EXPECT_NEAR(actual, expected, std::fabs(expected) * 1e-6f) << "expected " << expected;
}

// The curve of a band set as `s` for peak `peak`; false where it asks for no
// reduction.
bool curveGain(const BandSettings& s, float peak, float& gain) {
    BlockValues block{};
    for (BandSettings& band : block.band) band = s;
    const CurveLanes curve(block);
    const __m128 peaks = _mm_set1_ps(peak);
    if ((_mm_movemask_ps(curve.above(peaks)) & 1) == 0) return false;
    gain = _mm_cvtss_f32(curve.gain(peaks));
    return true;
}

// One frame of band `band`, set as `s`, with the other two bands silent.
float compressBand(BandDynamics& d, int32_t band, const BandSettings& s, BlockValues block,
                   float left, float right) {
    block.band[band] = s;
    CompressorLanes compressors(d, block);
    alignas(16) float peaks[4] = {}, gains[4];
    peaks[band] = std::max(std::fabs(left), std::fabs(right));
    _mm_store_ps(gains, compressors.run(_mm_load_ps(peaks)));
    compressors.store(d);
    return gains[band];
}

}  // namespace

TEST(EngineFigures, CrossoverAndTimeConstantsAt44100) {
    EngineState engine;
    const BlockValues v = computeBlockValues(engine, 44100.0f);
    expectRelative(v.crossover.a1, -1.7435825f);
    expectRelative(v.crossover.a2, 0.76001996f);
    expectRelative(v.crossover.band[0].b0, 0.87590063f);
    expectRelative(v.crossover.band[0].b1, -1.7518013f);
    expectRelative(v.crossover.band[1].b0, 0.11999004f);
    expectRelative(v.crossover.band[2].b0, 0.0041093794f);
    expectRelative(v.crossover.band[2].b1, 0.0082187587f);
    expectRelative(v.attackCoefficient, 0.00034357177f);
    EXPECT_EQ(v.releaseBase, 8820.0f);
    EXPECT_EQ(v.releaseBase95, 8379.0f);
    expectRelative(v.limiterReleaseScale, 288.51715f);
}

TEST(EngineFigures, NumeratorsOfTheThreeBandsAddUpToTheDenominator) {
    for (float fs : {22050.0f, 44100.0f, 48000.0f, 96000.0f, 192000.0f}) {
        const CrossoverCoefficients c = crossoverCoefficients(fs);
        float b[3] = {0, 0, 0};
        for (const BiquadNumerator& band : c.band) {
            b[0] += band.b0;
            b[1] += band.b1;
            b[2] += band.b2;
        }
        EXPECT_NEAR(b[0], 1.0f, 1e-6f) << fs;
        EXPECT_NEAR(b[1], c.a1, 1e-6f) << fs;
        EXPECT_NEAR(b[2], c.a2, 1e-6f) << fs;
    }
}

TEST(EngineFigures, MixAndThresholdGains) {
    EngineState engine;
    for (int32_t i = 0; i < 3; ++i) engine.stored.mix[i].set(120 * i);
    const BlockValues v = computeBlockValues(engine, 44100.0f);
    expectRelative(v.mixGain[0], 3.981072f);
    EXPECT_EQ(v.mixGain[1], 1.0f);
    expectRelative(v.mixGain[2], 0.2511886f);
    expectRelative(thresholdGainFor(72), 0.01584893f);
    EXPECT_EQ(thresholdGainFor(0), 1.0f);
}

TEST(EngineFigures, CompressionCurve) {
    BandSettings s{true, false, thresholdGainFor(24), 4.0f, 0, 1.0f};
    s.curveFactor = (s.ratio - 1.0f) / (1.0f - s.thresholdGain);
    float g = 0;
    ASSERT_TRUE(curveGain(s, 1.0f, g));
    expectRelative(g, 0.4383915f);
    // Just above the threshold the curve starts without a step.
    ASSERT_TRUE(curveGain(s, s.thresholdGain * 1.01f, g));
    EXPECT_GT(g, 0.999f);
    EXPECT_LT(g, 1.0f);
    EXPECT_FALSE(curveGain(s, s.thresholdGain, g));
}

TEST(EngineFigures, ZeroDecibelThresholdIsAHardCeilingOrNothing) {
    BandSettings s{true, false, 1.0f, 3.0f, 0.0f, 1.0f};
    float g = 0;
    ASSERT_TRUE(curveGain(s, 2.0f, g));
    EXPECT_EQ(g, 0.5f);
    s.ratio = 1.0f;
    EXPECT_FALSE(curveGain(s, 2.0f, g));
    EXPECT_FALSE(curveGain(s, 1.0f, g));
}

TEST(EngineFigures, LowBandAttackSetsReleaseLengthAndRate) {
    EngineState engine;
    BlockValues v = computeBlockValues(engine, 44100.0f);
    BandSettings low{true, false, thresholdGainFor(24), 4.0f, 0, 1.0f};
    low.curveFactor = (low.ratio - 1.0f) / (1.0f - low.thresholdGain);
    BandDynamics d;
    const float g = compressBand(d, 2, low, v, 1.0f, -0.5f);
    // Instant attack: the release already took its first step in this frame.
    expectRelative(d.releaseRate[2], 1.0896882e-4f);
    EXPECT_EQ(d.phase[2], kPhaseRelease);
    expectRelative(g, 0.4383915f + (1.0896882e-4f - 0.4383915f * 8.5e-5f));
}

TEST(EngineFigures, SmoothedAttackApproachesTheTarget) {
    EngineState engine;
    const BlockValues v = computeBlockValues(engine, 44100.0f);
    BandSettings s{true, true, thresholdGainFor(24), 4.0f, 0, 1.0f};
    s.curveFactor = (s.ratio - 1.0f) / (1.0f - s.thresholdGain);
    BandDynamics d;
    float g = compressBand(d, 0, s, v, 1.0f, 1.0f);
    EXPECT_EQ(d.phase[0], kPhaseAttack);
    expectRelative(g, 1.0f - (1.0f - 0.4383915f) * v.attackCoefficient * 20.0f);
    int32_t frames = 1;
    while (d.phase[0] == kPhaseAttack && frames < 10000) {
        compressBand(d, 0, s, v, 0.0f, 0.0f);
        ++frames;
    }
    // About 0.066/20 s per time constant; within 1 % after roughly 4.6 of them.
    EXPECT_GT(frames, 400);
    EXPECT_LT(frames, 900);
    EXPECT_EQ(d.phase[0], kPhaseRelease);
}

TEST(EngineFigures, DitherNoiseRepeatsTheCLibrarySequenceAfterSeedOne) {
    srand(1);
    DitherNoise noise(1);
    for (int i = 0; i < 100000; ++i) ASSERT_EQ(noise.next(), rand()) << "draw " << i;
}
