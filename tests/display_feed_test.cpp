// The values the engine leaves for the editor and their hand-over.
#include <gtest/gtest.h>

#include <cstring>

#include "engine/audio_block.h"
#include "engine/extreme_lanes.h"
#include "engine/parameter_mapping.h"
#include "params/parameter_table.h"
#include "support/direct_effect.h"

using namespace velmorin;

namespace {

// The extremes the engine keeps for frames {left, right, gain} of one lane,
// starting from nothing.
WaveExtremes extremesOf(const float (*frames)[3], int32_t count, int32_t lane = 2) {
    LaneRun run{};
    for (int32_t n = 0; n < count; ++n) {
        run.frame[n][2 * lane] = frames[n][0];
        run.frame[n][2 * lane + 1] = frames[n][1];
        run.gain[n][lane] = frames[n][2];
    }
    ExtremeLanes kept{LaneExtremes{}};
    kept.add(run, count);
    LaneExtremes out;
    kept.store(out);
    return out.lane[lane];
}

}  // namespace

TEST(WaveExtremes, KeepTheGainOfTheExtremesOwnFrame) {
    const float frames[][3] = {
        {0.5f, -0.1f, 0.4f},
        {0.3f, -0.2f, 0.9f},  // later gain change does not touch the held maximum
        {0.5f, -0.2f, 0.7f},  // equal extremes keep the first one's gain
    };
    for (int32_t lane = 0; lane < kNumLanes; ++lane) {
        const WaveExtremes e = extremesOf(frames, 3, lane);
        EXPECT_EQ(e.maxLeft, 0.5f);
        EXPECT_EQ(e.gainAtMaxLeft, 0.4f);
        EXPECT_EQ(e.minLeft, 0.0f);
        EXPECT_EQ(e.gainAtMinLeft, 0.0f);
        EXPECT_EQ(e.minRight, -0.2f);
        EXPECT_EQ(e.gainAtMinRight, 0.9f);
        EXPECT_EQ(e.maxRight, 0.0f);
    }
}

TEST(WaveExtremes, MergingBlocksEqualsAddingTheirFrames) {
    const float frames[][3] = {{0.2f, -0.3f, 0.9f}, {0.7f, 0.1f, 0.5f}, {-0.6f, 0.4f, 0.8f},
                               {0.7f, -0.3f, 0.2f}, {0.1f, 0.4f, 0.3f}, {-0.6f, -0.5f, 0.6f}};
    const WaveExtremes whole = extremesOf(frames, 6);
    WaveExtremes first = extremesOf(frames, 3);
    first.merge(extremesOf(frames + 3, 3));
    EXPECT_EQ(std::memcmp(&first, &whole, sizeof whole), 0);
}

TEST(FeedMailbox, EveryBlockReachesExactlyOneTake) {
    FeedMailbox<OutputSums> box;
    box.publish({1.0f, 2.0f, 256});
    box.publish({1.0f, 2.0f, 256});
    OutputSums taken = box.take();
    EXPECT_EQ(taken.sampleCount, 512);
    EXPECT_EQ(taken.sumSqRight, 4.0f);
    EXPECT_EQ(box.take().sampleCount, 0);  // nothing new handed over yet
    box.publish({0.5f, 0.5f, 10});
    EXPECT_EQ(box.take().sampleCount, 10);
}

TEST(FeedMailbox, SumsNobodyTakesNeverOverflowTheirCount) {
    FeedMailbox<OutputSums> box;
    const int32_t block = 1 << 20;
    for (int32_t i = 0; i < 4096; ++i) box.publish({1.0f, 1.0f, block});  // 2^32 frames
    const OutputSums taken = box.take();
    EXPECT_GT(taken.sampleCount, 0);
    EXPECT_EQ(taken.sampleCount % block, 0);  // still whole blocks
}

TEST(FeedMailbox, DiscardDropsHandedOverAndPendingValues) {
    FeedMailbox<OutputSums> box;
    box.publish({1.0f, 1.0f, 5});
    box.publish({1.0f, 1.0f, 7});
    box.discard();
    box.publish({0.0f, 0.0f, 3});
    EXPECT_EQ(box.take().sampleCount, 3);
}

TEST(DisplayFeed, TwoBlocksBeforeATickCountAllTheirFrames) {
    DirectEffect effect;
    effect.runMono(sine(440.0f, 0.5f, 2048));  // past the look-ahead delay
    effect.engine().feed.output.take();
    effect.runMono(sine(440.0f, 0.5f, 512), 256);
    const OutputSums sums = effect.engine().feed.output.take();
    EXPECT_EQ(sums.sampleCount, 512);
    EXPECT_GT(sums.sumSqLeft, 0.0f);
}

TEST(DisplayFeed, SilenceLeavesFlatExtremes) {
    DirectEffect effect;
    effect.runMono(std::vector<float>(4096, 0.0f));
    const LaneExtremes taken = effect.engine().feed.waves.take();
    for (const WaveExtremes& lane : taken.lane) {
        EXPECT_LT(lane.maxLeft, 1e-8f);  // only the filters' anti-denormal offset
        EXPECT_EQ(lane.minLeft, 0.0f);
        EXPECT_EQ(lane.gainAtMinLeft, 0.0f);
    }
}

TEST(DisplayFeed, LanesCarryTheSignalBeforeItsGain) {
    DirectEffect effect;
    const auto in = sine(5000.0f, 0.9f, 8192);
    effect.runMono(in);
    const LaneExtremes taken = effect.engine().feed.waves.take();
    // The High band holds most of a 5 kHz tone and is compressed (-10 dB, 3:1).
    EXPECT_GT(taken.lane[0].maxLeft, 0.8f);
    EXPECT_LT(taken.lane[0].gainAtMaxLeft, 0.9f);
    EXPECT_GT(taken.lane[0].gainAtMaxLeft, 0.0f);
    EXPECT_LT(taken.lane[2].maxLeft, taken.lane[0].maxLeft / 5.0f);
    EXPECT_GT(taken.lane[3].maxLeft, 0.5f);
}

TEST(DisplayFeed, ProgramSelectionClearsTheExtremes) {
    DirectEffect effect;
    effect.runMono(sine(440.0f, 0.9f, 2048));
    effect.setProgram(3);
    EXPECT_EQ(effect.engine().feed.waves.take().lane[3].maxLeft, 0.0f);
}

// A parameter change that lands while a block runs keeps its output gain.
TEST(OutputGainHandOver, ChangeDuringABlockSurvivesItsWriteBack) {
    DirectEffect effect;
    effect.setParameter(kNormalize, 1.0f);  // the normalizer will lower the gain
    const auto loud = sine(300.0f, 0.9f, 2048);
    effect.runMono(loud);
    float* in[2] = {const_cast<float*>(loud.data()), const_cast<float*>(loud.data())};
    std::vector<float> out(2048);
    float* outs[2] = {out.data(), out.data()};

    AudioBlock block(effect.engine(), 44100.0f);
    block.runFrames(in, outs, 1024);
    effect.setParameter(kOutput, 12000.0f);
    block.runFrames(in, outs, 1024);
    block.finish();
    EXPECT_EQ(effect.engine().outputGain.get(), outputGainFor(12000));
}

TEST(OutputGainHandOver, WithoutAChangeTheNormalizersGainIsKept) {
    DirectEffect effect;
    effect.setParameter(kNormalize, 1.0f);
    const float before = effect.engine().outputGain.get();
    effect.runMono(sine(300.0f, 0.9f, 4096));
    EXPECT_LT(effect.engine().outputGain.get(), before);
}

TEST(OutputGainHandOver, LimiterRelinkDiscardsTheNormalizerOfThatBlock) {
    DirectEffect effect;
    effect.setParameter(kNormalize, 1.0f);
    effect.setParameter(kThrLimiter, 24.0f);  // links Output: 12000 with the target factor
    const float linked = effect.engine().outputGain.get();
    EXPECT_NEAR(linked, 3.981072f * 0.99995f, 1e-5f);
    effect.runMono(sine(300.0f, 0.9f, 512), 512);
    EXPECT_EQ(effect.engine().outputGain.get(), linked);
    EXPECT_EQ(effect.engine().outputLinkPending.get(), 0);
    effect.runMono(sine(300.0f, 0.9f, 512), 512);
    EXPECT_LT(effect.engine().outputGain.get(), linked);
}
