// What a parameter change does to the engine beyond storing the value, and the
// engine's part in suspend, sample rate and construction.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>

#include "engine/parameter_mapping.h"
#include "formats/vst2/adelay_edit.h"

using namespace velmorin;

namespace {

// About 1e-6 relative: the figures are given to 7 digits.
void expectNear(float actual, double expected) {
    EXPECT_NEAR(actual, expected, std::abs(expected) * 1e-6);
}

class EngineParameters : public testing::Test {
  protected:
    void set(int32_t index, float value) { setEngineParameter(engine, record, index, value); }

    EngineState engine;
    ProgramRecord record;
};

}  // namespace

TEST_F(EngineParameters, OutputSetsTheOutputGain) {
    set(kOutput, 0.5f);
    EXPECT_EQ(engine.stored.output.get(), 12000);
    EXPECT_EQ(record.output.get(), 12000);
    expectNear(engine.outputGain.get(), 3.981072);
    set(kOutput, 0.0f);
    expectNear(engine.outputGain.get(), 15.848932);
    // No normalize factor here, even with Normalize on.
    set(kNormalize, 1.0f);
    set(kOutput, 24000.0f);
    EXPECT_EQ(engine.outputGain.get(), 1.0f);
    EXPECT_EQ(engine.outputLinkPending.get(), 0);
}

TEST_F(EngineParameters, LimiterUnderNormalizeDerivesTheOutput) {
    set(kNormalize, 1.0f);
    set(kThrLimiter, 24.0f);
    expectNear(engine.limiterThresholdGain.get(), 0.2511886);
    expectNear(engine.outputGain.get(), 3.981072 * 0.99995);
    EXPECT_EQ(engine.stored.output.get(), 12000);
    EXPECT_EQ(record.output.get(), 12000);
    EXPECT_EQ(engine.outputLinkPending.get(), 1);
    EXPECT_EQ(engine.outputRelinked.get(), 1);

    // A normalized value links with the value before truncation (24.5).
    set(kThrLimiter, 0.5f);
    EXPECT_EQ(engine.stored.limiterSteps.get(), 24);
    EXPECT_EQ(engine.stored.output.get(), 11750);
    EXPECT_EQ(record.output.get(), 11750);
}

TEST_F(EngineParameters, LimiterWithoutNormalizeOnlySetsItsGain) {
    set(kOutput, 20000.0f);
    const float gain = engine.outputGain.get();
    set(kThrLimiter, 24.0f);
    expectNear(engine.limiterThresholdGain.get(), 0.2511886);
    EXPECT_EQ(engine.outputGain.get(), gain);
    EXPECT_EQ(engine.stored.output.get(), 20000);
    EXPECT_EQ(engine.outputLinkPending.get(), 0);
    EXPECT_EQ(engine.outputRelinked.get(), 0);
}

TEST_F(EngineParameters, NormalizeTargetSetsTheCeiling) {
    set(kNormalize, 1.0f);
    const std::pair<int32_t, double> targets[] = {
        {1, 0.9988}, {2, 0.9895}, {3, 0.9941}, {7, 0.99995}};
    for (const auto& [target, factor] : targets) {
        engine.normalizeTarget.set(target);
        set(kThrLimiter, 24.0f);
        expectNear(engine.outputGain.get(), 3.981072 * factor);
    }
}

TEST_F(EngineParameters, NormalizeOnStartsFromPlus24Decibels) {
    set(kOutput, 20000.0f);
    set(kNormalize, 1.0f);
    EXPECT_EQ(engine.outputGain.get(), 15.84931f);
    EXPECT_EQ(engine.stored.output.get(), 0);
    EXPECT_EQ(record.output.get(), 20000);  // the program keeps its value
    EXPECT_EQ(engine.normalizeJustOn.get(), 0);

    engine.outputGain.set(2.0f);  // as the normalizer would lower it
    set(kNormalize, 1.0f);
    EXPECT_EQ(engine.outputGain.get(), 15.84931f);

    engine.outputGain.set(2.0f);
    engine.lastShownOutputGain.set(1.5f);
    set(kNormalize, 0.0f);
    EXPECT_EQ(engine.outputGain.get(), 2.0f);
    EXPECT_EQ(engine.lastShownOutputGain.get(), 0.0f);
}

TEST_F(EngineParameters, IndexOutsideTheTableStillRunsTheClosingSteps) {
    const ParameterValues<int32_t> before = engine.stored;
    set(kNormalize, 1.0f);
    engine.parametersChanged.set(0);
    engine.normalizeJustOn.set(1);
    engine.outputGain.set(2.0f);
    set(40, 0.3f);
    EXPECT_EQ(engine.parametersChanged.get(), 1);
    EXPECT_EQ(engine.outputGain.get(), 15.84931f);
    EXPECT_EQ(engine.normalizeJustOn.get(), 0);
    for (int32_t i = 0; i < kNumParameters; ++i) {
        if (i == kNormalize || i == kOutput) continue;
        EXPECT_EQ(engine.stored.storedAsFloat(i), before.storedAsFloat(i)) << i;
    }
}

TEST(EngineSuspend, ClearsTheRingsAndTheDcTrackerOnly) {
    ADelay effect(nullptr);
    EngineState& engine = effect.engine();
    engine.rings.left(0, 5) = 0.5f;
    engine.rings.right(3, 440) = -0.5f;
    engine.rings.gain[2][0] = 0.25f;
    engine.rings.pos = 17;
    engine.dc.level[1] = 0.1f;
    engine.dc.slope[0] = 0.2f;
    engine.bands.gain[1] = 0.5f;
    engine.bands.phase[1] = kPhaseRelease;
    engine.limiter.gain = 0.75f;
    engine.crossover.y1[2][1] = 0.3f;
    engine.outputGain.set(2.0f);

    effect.dispatcher(effMainsChanged, 0, 1, nullptr, 0.0f);  // resume: nothing
    EXPECT_EQ(engine.rings.left(0, 5), 0.5f);

    effect.dispatcher(effMainsChanged, 0, 0, nullptr, 0.0f);
    for (int32_t lane = 0; lane < kNumLanes; ++lane) {
        for (int32_t i = 0; i < kRingCapacity; ++i) {
            ASSERT_EQ(engine.rings.left(lane, i), 0.0f);
            ASSERT_EQ(engine.rings.right(lane, i), 0.0f);
            ASSERT_EQ(engine.rings.gain[lane][i], 1.0f);
        }
    }
    EXPECT_EQ(engine.dc.level[1], 0.0f);
    EXPECT_EQ(engine.dc.slope[0], 0.0f);
    EXPECT_EQ(engine.rings.pos, 17);
    EXPECT_EQ(engine.bands.gain[1], 0.5f);
    EXPECT_EQ(engine.bands.phase[1], kPhaseRelease);
    EXPECT_EQ(engine.limiter.gain, 0.75f);
    EXPECT_EQ(engine.crossover.y1[2][1], 0.3f);
    EXPECT_EQ(engine.outputGain.get(), 2.0f);
}

// Below 1920 Hz the 960 Hz crossover cannot exist; such rates are ignored.
TEST(EngineSampleRate, KeepsThePreviousRateForUnusableValues) {
    ADelay effect(nullptr);
    EXPECT_EQ(effect.getSampleRate(), 44100.0f);
    effect.dispatcher(effSetSampleRate, 0, 0, nullptr, 48000.0f);
    EXPECT_EQ(effect.getSampleRate(), 48000.0f);
    const float unusable[] = {std::numeric_limits<float>::quiet_NaN(),
                              std::numeric_limits<float>::infinity(),
                              -std::numeric_limits<float>::infinity(),
                              1920.0f,
                              0.0f,
                              -48000.0f};
    for (float rate : unusable) {
        EXPECT_EQ(effect.dispatcher(effSetSampleRate, 0, 0, nullptr, rate), 0);
        EXPECT_EQ(effect.getSampleRate(), 48000.0f) << rate;
    }
    effect.dispatcher(effSetSampleRate, 0, 0, nullptr, 1921.0f);
    EXPECT_EQ(effect.getSampleRate(), 1921.0f);
    effect.dispatcher(effSetBlockSize, 0, 512, nullptr, 0.0f);
    EXPECT_EQ(effect.getBlockSize(), 512);
}
