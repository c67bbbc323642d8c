// The audio path end to end, through the effect's own operations.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <numbers>
#include <random>

#include "params/parameter_table.h"
#include "support/direct_effect.h"

using namespace velmorin;

namespace {

constexpr int32_t kTwoStageDelay = 878;

std::vector<float> noise(int32_t frames, float amplitude, uint32_t seed = 7) {
    std::mt19937 generator(seed);
    std::uniform_real_distribution<float> uniform(-amplitude, amplitude);
    std::vector<float> s(static_cast<size_t>(frames));
    for (float& x : s) x = uniform(generator);
    return s;
}

// Every stage passes the signal unchanged: ratios 1, 0 dB levels, no limiting.
void makeTransparent(DirectEffect& effect) {
    for (int32_t i : {kHighBypass, kMidBypass, kLowBypass}) effect.setParameter(i, 1.0f);
    effect.setParameter(kThrLimiter, 0.0f);
    effect.setParameter(kOutput, 24000.0f);
    effect.setParameter(kNormalize, 0.0f);
    effect.setParameter(kDither, 0.0f);
    effect.engine().dcRemoval.set(0);
}

// Only the bands in `on` pass; no compression, limiting or gain.
void keepOnlyBands(DirectEffect& effect, std::initializer_list<int32_t> on) {
    makeTransparent(effect);
    for (int32_t band = 0; band < 3; ++band) effect.setParameter(kHighOn + band, 0.0f);
    for (int32_t band : on) effect.setParameter(kHighOn + band, 1.0f);
}

float gainAt(DirectEffect& effect, float frequency) {
    const int32_t frames = 44100;
    const auto out = effect.runMono(sine(frequency, 0.5f, frames));
    return peakOf(out, frames / 2, frames) / 0.5f;
}

}  // namespace

TEST(AudioPath, TransparentSettingsDelayTheInputByTwoLookAheadStages) {
    DirectEffect effect;
    makeTransparent(effect);
    const auto in = noise(4000, 0.9f);
    const auto out = effect.runMono(in, 300);
    for (int32_t n = 0; n < kTwoStageDelay; ++n) ASSERT_EQ(out[n], 0.0f) << n;
    for (size_t n = kTwoStageDelay; n < in.size(); ++n) {
        ASSERT_NEAR(out[n], in[n - kTwoStageDelay], 2e-6f) << n;
    }
}

TEST(AudioPath, TransparentSettingsWithoutLookAheadHaveNoDelay) {
    DirectEffect effect;
    makeTransparent(effect);
    effect.setParameter(kLookAhead, 0.0f);
    const auto in = noise(3000, 0.9f);
    const auto out = effect.runMono(in, 256);
    for (size_t n = 0; n < in.size(); ++n) ASSERT_NEAR(out[n], in[n], 2e-6f) << n;
}

TEST(AudioPath, ADisabledBandRemovesItsPartOfTheSpectrum) {
    DirectEffect lowOnly;
    keepOnlyBands(lowOnly, {2});
    EXPECT_NEAR(gainAt(lowOnly, 100.0f), 1.0f / (1.0f + std::pow(100.0f / 960.0f, 2.0f)), 0.01f);
    EXPECT_NEAR(gainAt(lowOnly, 960.0f), 0.5f, 0.01f);
    EXPECT_LT(gainAt(lowOnly, 10000.0f), 0.02f);

    DirectEffect highOnly;
    keepOnlyBands(highOnly, {0});
    EXPECT_LT(gainAt(highOnly, 100.0f), 0.02f);
    EXPECT_NEAR(gainAt(highOnly, 960.0f), 0.5f, 0.01f);
    EXPECT_NEAR(gainAt(highOnly, 10000.0f), 1.0f, 0.02f);

    DirectEffect midOnly;
    keepOnlyBands(midOnly, {1});
    EXPECT_NEAR(gainAt(midOnly, 960.0f), 1.0f, 0.01f);  // a 0 dB peak at the crossover
    EXPECT_LT(gainAt(midOnly, 50.0f), 0.11f);
}

TEST(AudioPath, LookAheadReducesABurstBeforeItArrivesUnlessTheAttackIsSmoothed) {
    // Level of the first 2 ms of a low burst relative to its level 50 ms on.
    auto onsetOverSteady = [](float attackSwitch) {
        DirectEffect effect;
        keepOnlyBands(effect, {2});
        effect.setParameter(kLowBypass, 0.0f);
        effect.setParameter(kRatioL, 1.0f);  // 20:1
        effect.setParameter(kLowAtk, attackSwitch);
        std::vector<float> in(20000, 0.0f);
        for (size_t n = 4000; n < in.size(); ++n) {
            in[n] = 0.9f * static_cast<float>(
                               std::cos(2.0 * std::numbers::pi * 200.0 * (n - 4000) / 44100.0));
        }
        const auto out = effect.runMono(in);
        const size_t onset = 4000 + kTwoStageDelay;
        return peakOf(out, onset, onset + 88) / peakOf(out, onset + 2205, onset + 2205 + 441);
    };
    EXPECT_LT(onsetOverSteady(0.0f), 1.05f);
    EXPECT_GT(onsetOverSteady(1.0f), 1.5f);
}

TEST(AudioPath, LimiterHoldsAFullScaleFrameAtItsThreshold) {
    const float threshold = 0.5011872f;  // 12 steps, -6 dB
    for (float lookAhead : {0.0f, 1.0f}) {
        DirectEffect effect;
        makeTransparent(effect);
        effect.setParameter(kLookAhead, lookAhead);
        effect.setParameter(kThrLimiter, 12.0f);
        std::vector<float> in(3000, 0.1f);
        in[1000] = 1.0f;
        const auto out = effect.runMono(in);
        const int32_t delay = lookAhead == 1.0f ? kTwoStageDelay : 0;
        EXPECT_NEAR(out[1000 + delay], threshold, 2e-6f) << lookAhead;
        if (lookAhead == 1.0f) {
            // The frames waiting in front of the peak come down along a line.
            for (int32_t k = 0; k <= 439; k += 73) {
                const float expectedGain =
                    1.0f - (1.0f - threshold) * static_cast<float>(k) / 439.0f;
                EXPECT_NEAR(out[1000 + 439 + k], 0.1f * expectedGain, 1e-5f) << k;
            }
        }
    }
}

TEST(AudioPath, DitherIsSmallRectangularNoiseIndependentPerChannel) {
    DirectEffect effect;
    effect.setParameter(kDither, 1.0f);
    const std::vector<float> silence(100000, 0.0f);
    std::vector<float> left, right;
    effect.run(silence, silence, left, right);
    double sum = 0;
    int32_t different = 0;
    for (size_t n = 0; n < left.size(); ++n) {
        // The filters' anti-denormal constants add a DC offset of about 2e-9.
        ASSERT_GE(left[n], -2.2885e-5f - 1e-8f);
        ASSERT_LE(left[n], 3.81284e-5f + 1e-8f);
        sum += left[n] + right[n];
        different += left[n] != right[n];
    }
    EXPECT_NEAR(sum / (2.0 * left.size()), 7.6e-6, 2e-7);
    EXPECT_GT(different, 99000);
}

TEST(AudioPath, EveryEffectDithersTheSameNoiseAndLeavesTheProcessGeneratorAlone) {
    auto ditheredSilence = [] {
        DirectEffect effect;
        effect.setParameter(kDither, 1.0f);
        return effect.runMono(std::vector<float>(4096, 0.0f));
    };
    std::srand(7);
    const int expected = std::rand();
    std::srand(7);
    const auto first = ditheredSilence();
    EXPECT_EQ(std::rand(), expected);  // the host's sequence is not disturbed
    std::srand(12345);
    EXPECT_EQ(ditheredSilence(), first);
}

TEST(AudioPath, NormalizerSettlesTheLoudestPeakOnTheTarget) {
    DirectEffect effect;
    makeTransparent(effect);
    effect.setParameter(kNormalize, 1.0f);
    effect.setParameter(kThrLimiter, 0.0f);
    const auto out = effect.runMono(sine(997.0f, 1.0f, 88200));
    const float peak = peakOf(out, 44100, 88200);
    EXPECT_NEAR(peak, 0.99995f, 2e-6f);
    EXPECT_LT(effect.engine().outputGain.get(), 15.84931f);
}

TEST(AudioPath, SuspendSilencesBothLookAheadStages) {
    DirectEffect effect;
    effect.runMono(noise(5000, 0.9f));
    effect.dispatcher(effMainsChanged, 0, 0, nullptr, 0.0f);
    effect.dispatcher(effMainsChanged, 0, 1, nullptr, 0.0f);
    const auto out = effect.runMono(noise(2000, 0.9f, 11));
    for (int32_t n = 0; n < kTwoStageDelay; ++n) ASSERT_EQ(out[n], 0.0f) << n;
    EXPECT_GT(peakOf(out, kTwoStageDelay, 2000), 0.01f);
}

TEST(AudioPath, BypassIsABitExactCopyThatLeavesTheStateAlone) {
    DirectEffect effect;
    effect.runMono(noise(3000, 0.9f));
    effect.engine().feed.waves.take();
    effect.engine().feed.output.take();
    const float gainBefore = effect.engine().bands.gain[0];
    const int32_t posBefore = effect.engine().rings.pos;

    effect.setParameter(kBypass, 1.0f);
    auto in = noise(1000, 4.0f, 3);
    in[5] = std::nanf("0x123");
    in[6] = -0.0f;
    std::vector<float> left, right;
    effect.run(in, in, left, right);
    EXPECT_EQ(std::memcmp(left.data(), in.data(), in.size() * sizeof(float)), 0);
    EXPECT_EQ(effect.engine().bands.gain[0], gainBefore);
    EXPECT_EQ(effect.engine().rings.pos, posBefore);
    EXPECT_EQ(effect.engine().feed.waves.take().lane[3].maxLeft, 0.0f);
    EXPECT_EQ(effect.engine().feed.output.take().sampleCount, 0);
}

TEST(AudioPath, InPlaceProcessingMatchesSeparateBuffers) {
    DirectEffect separate, inPlace;
    const auto left = noise(5000, 0.9f, 1), right = noise(5000, 0.9f, 2);
    std::vector<float> outLeft, outRight;
    separate.run(left, right, outLeft, outRight, 333);

    std::vector<float> bufLeft = left, bufRight = right;
    for (size_t start = 0; start < left.size(); start += 333) {
        const int32_t count = static_cast<int32_t>(std::min<size_t>(333, left.size() - start));
        float* io[2] = {bufLeft.data() + start, bufRight.data() + start};
        inPlace.processReplacing(io, io, count);
    }
    EXPECT_EQ(bufLeft, outLeft);
    EXPECT_EQ(bufRight, outRight);
}

TEST(AudioPath, EmptyBlocksProcessNothingButStillCloseTheBlock) {
    DirectEffect effect;
    effect.engine().limiter = {0.9f, 0.5f, 5e-7f};
    float sample = 0.25f;
    float* io[2] = {&sample, &sample};
    effect.processReplacing(io, io, 0);
    effect.processReplacing(io, io, -5);
    EXPECT_EQ(sample, 0.25f);
    EXPECT_EQ(effect.engine().limiter.releaseRate, 1e-4f);
    EXPECT_EQ(effect.engine().feed.output.take().sampleCount, 0);
}

TEST(AudioPath, DcRemovalFollowsTheMenuSetting) {
    auto settledOutput = [](int32_t dcRemoval) {
        DirectEffect effect;
        makeTransparent(effect);
        effect.engine().dcRemoval.set(dcRemoval);
        effect.setParameter(kLookAhead, 0.0f);
        const auto out = effect.runMono(std::vector<float>(441000, 0.25f));
        return out.back();
    };
    EXPECT_NEAR(settledOutput(0), 0.25f, 1e-5f);
    EXPECT_NEAR(settledOutput(2), 0.25f, 1e-5f);
    EXPECT_NEAR(settledOutput(1), 0.0f, 1e-3f);
}

// Channels stay apart through every stage: swapping the inputs swaps the
// outputs exactly, and a silent channel beside a loud one stays silent. The
// loud channel is compressed and limited, so each stage sees differing peaks.
TEST(AudioPath, ChannelsThatDifferSwapWithTheirInputsAndNeverLeak) {
    const auto loud = noise(8000, 0.95f, 5);
    const auto quiet = noise(8000, 0.05f, 6);
    const std::vector<float> silent(8000, 0.0f);
    for (int32_t program : {0, 5, 8}) {
        SCOPED_TRACE(testing::Message() << "program " << program);
        auto render = [program](const std::vector<float>& left, const std::vector<float>& right,
                                std::vector<float>& outLeft, std::vector<float>& outRight) {
            DirectEffect effect;
            effect.setProgram(program);
            effect.setParameter(kDither, 0.0f);  // its noise differs per channel
            effect.run(left, right, outLeft, outRight);
        };
        std::vector<float> aLeft, aRight, bLeft, bRight;
        render(loud, quiet, aLeft, aRight);
        render(quiet, loud, bLeft, bRight);
        EXPECT_EQ(aLeft, bRight);
        EXPECT_EQ(aRight, bLeft);

        render(silent, loud, aLeft, aRight);
        EXPECT_LT(peakOf(aLeft, 0, aLeft.size()), 1e-6f);
        EXPECT_GT(peakOf(aRight, 0, aRight.size()), 0.1f);
        render(loud, silent, aLeft, aRight);
        EXPECT_LT(peakOf(aRight, 0, aRight.size()), 1e-6f);
    }
}

// The DC tracker's response to a step, frame by frame: a second-order tracker
// whose slope decays by 0.96 per frame (its two products in double).
TEST(AudioPath, DcRemovalFollowsAStepExactly) {
    constexpr int32_t kFrames = 20000;
    const float steps[2] = {0.25f, -0.5f};
    DirectEffect effect;
    makeTransparent(effect);
    effect.engine().dcRemoval.set(1);
    effect.setParameter(kLookAhead, 0.0f);
    std::vector<float> left(kFrames, steps[0]), right(kFrames, steps[1]), outLeft, outRight;
    effect.run(left, right, outLeft, outRight);

    for (int32_t ch = 0; ch < 2; ++ch) {
        const std::vector<float>& out = ch == 0 ? outLeft : outRight;
        float level = 0.0f, slope = 0.0f;
        for (int32_t n = 0; n < kFrames; ++n) {
            const float x = steps[ch];
            slope = static_cast<float>(static_cast<double>(x - level) * 9.134e-6 + slope);
            if (std::fabs(static_cast<double>(level)) < 2e-9) level = 0.0f;
            level += slope;
            slope = std::fabs(static_cast<double>(slope)) > 2e-9
                        ? static_cast<float>(static_cast<double>(slope) * 0.96)
                        : 0.0f;
            ASSERT_NEAR(out[n], x - level, 1e-5f) << "channel " << ch << " frame " << n;
        }
    }
    EXPECT_LT(std::fabs(outLeft.back()), 0.01f);  // the step has been removed
}

// A 0 dB threshold with ratio 1 asks for no reduction at all: the bands keep
// a gain of 1 even when their signal goes far above full scale.
TEST(AudioPath, BandsAtRatioOneNeverReduceEvenAboveFullScale) {
    DirectEffect effect;
    makeTransparent(effect);
    for (int32_t threshold : {kThrH, kThrM, kThrL}) effect.setParameter(threshold, 0.0f);
    effect.runMono(noise(4000, 4.0f));
    const LaneExtremes seen = effect.engine().feed.waves.take();
    for (int32_t band = 0; band < 3; ++band) {
        const WaveExtremes& lane = seen.lane[band];
        EXPECT_GT(lane.maxLeft, 1.0f) << band;
        for (float gain :
             {lane.gainAtMaxLeft, lane.gainAtMinLeft, lane.gainAtMaxRight, lane.gainAtMinRight}) {
            EXPECT_EQ(gain, 1.0f) << band;
        }
    }
}
