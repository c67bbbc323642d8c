// What Velmorin.vst3 renders: bit for bit what the VST 2.4 build renders for
// every factory program, parameter changes taking effect at their frame,
// and under the host's bypass the input delayed by the reported latency.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <vector>

#include "dense_mix.h"
#include "formats/vst3/vst3_identity.h"
#include "params/parameter_table.h"
#include "support/loaded_plugin.h"
#include "support/vst2_render.h"
#include "vst3/vst3_test_host.h"

using namespace vst3_test;

namespace {

constexpr float kRate = 44100.0f;
constexpr int32_t kBlock = 512;

const StereoSignal& material() {
    static const StereoSignal signal = denseMix(static_cast<int>(kRate));
    return signal;
}

// The material through an instance in blocks of kBlock frames, `changes`
// applied in block `at`.
StereoSignal renderVst3(Instance& instance, ParameterChanges* changes = nullptr,
                        size_t changed = 0) {
    const StereoSignal& in = material();
    StereoSignal out{std::vector<float>(in.left.size()), std::vector<float>(in.left.size())};
    for (size_t at = 0; at < in.left.size(); at += kBlock) {
        const auto frames = static_cast<int32_t>(std::min<size_t>(kBlock, in.left.size() - at));
        EXPECT_EQ(instance.process(&in.left[at], &in.right[at], &out.left[at], &out.right[at],
                                   frames, at == changed * kBlock ? changes : nullptr),
                  Steinberg_kResultOk);
    }
    return out;
}

ParameterChanges* programChange(int32_t program) {
    auto* changes = new ParameterChanges;
    changes->add(velmorin::vst3::kProgramParameter, 0, program / 17.0);
    return changes;
}

TEST(Vst3Render, EveryProgramEqualsTheVst2BuildBitForBit) {
    for (int program = 0; program < 18; ++program) {
        SCOPED_TRACE(program);
        Plugin vst2;
        vst2.dispatch(effSetSampleRate, 0, 0, nullptr, kRate);
        vst2.selectProgram(program);
        vst2.dispatch(effMainsChanged, 0, 1);
        Instance vst3;
        vst3.activate(true);
        ParameterChanges* changes = programChange(program);
        const StereoSignal got = renderVst3(vst3, changes);
        changes->release();
        const StereoSignal expected = renderVst2(vst2, material(), kBlock);
        EXPECT_TRUE(sameBits(got.left, expected.left));
        EXPECT_TRUE(sameBits(got.right, expected.right));
    }
}

// Points at random frames of one block, in several queues, sound exactly as
// the same block cut by hand at each point, every piece starting with it.
TEST(Vst3Render, ParameterChangesTakeEffectAtTheirFrame) {
    std::mt19937 random(29);
    const Steinberg_Vst_ParamID ids[] = {velmorin::kThrH, velmorin::kThrL,   velmorin::kRatioM,
                                         velmorin::kMixL, velmorin::kOutput, velmorin::kThrLimiter};
    Instance whole, cut;
    whole.activate(true);
    cut.activate(true);
    const StereoSignal& in = material();
    std::vector<float> wholeL(kBlock), wholeR(kBlock), cutL(kBlock), cutR(kBlock);
    for (int32_t block = 0; block < 40; ++block) {
        const size_t at = static_cast<size_t>(block) * kBlock;
        // Two points per parameter in time order, the parameters in random order.
        struct Point {
            Steinberg_Vst_ParamID id;
            int32_t offset;
            double value;
        };
        std::vector<Point> points;
        auto* changes = new ParameterChanges;
        for (Steinberg_Vst_ParamID id : ids) {
            int32_t a = static_cast<int32_t>(random() % kBlock),
                    b = static_cast<int32_t>(random() % kBlock);
            for (int32_t offset : {std::min(a, b), std::max(a, b)}) {
                const double value = std::uniform_real_distribution<double>(0, 1)(random);
                changes->add(id, offset, value);
                points.push_back({id, offset, value});
            }
        }
        ASSERT_EQ(whole.process(&in.left[at], &in.right[at], wholeL.data(), wholeR.data(), kBlock,
                                changes),
                  Steinberg_kResultOk);
        changes->release();
        std::stable_sort(points.begin(), points.end(),
                         [](const Point& p, const Point& q) { return p.offset < q.offset; });
        int32_t done = 0;
        for (size_t i = 0; i <= points.size(); ++i) {
            const int32_t end = i < points.size() ? points[i].offset : kBlock;
            if (end > done) {
                cut.process(&in.left[at + done], &in.right[at + done], &cutL[done], &cutR[done],
                            end - done);
                done = end;
            }
            if (i == points.size()) break;
            auto* one = new ParameterChanges;
            one->add(points[i].id, 0, points[i].value);
            cut.process(nullptr, nullptr, nullptr, nullptr, 0, one);
            one->release();
        }
        ASSERT_TRUE(sameBits(wholeL, cutL)) << block;
        ASSERT_TRUE(sameBits(wholeR, cutR)) << block;
    }
}

// Once the crossfade is over the output is the input delayed by the
// latency the host was told, with look-ahead on and off, switched at the
// start and later on.
TEST(Vst3Render, HostBypassPassesTheInputDelayedByTheReportedLatency) {
    for (double lookAhead : {1.0, 0.0}) {
        for (size_t block : {0, 5}) {
            SCOPED_TRACE(std::to_string(lookAhead) + " from block " + std::to_string(block));
            Instance instance;
            auto* setting = new ParameterChanges;
            setting->add(velmorin::kLookAhead, 0, lookAhead);
            instance.process(nullptr, nullptr, nullptr, nullptr, 0, setting);
            setting->release();
            instance.activate(true);
            const auto latency = static_cast<size_t>(
                call(instance.processor(), &Steinberg_Vst_IAudioProcessorVtbl::getLatencySamples));
            EXPECT_EQ(latency, lookAhead == 1.0 ? 878u : 0u);
            constexpr int32_t kOffset = 100;
            auto* bypass = new ParameterChanges;
            bypass->add(velmorin::vst3::kHostBypassParameter, kOffset, 1.0);
            const StereoSignal out = renderVst3(instance, bypass, block);
            bypass->release();
            const StereoSignal& in = material();
            const size_t fadeEnd = block * kBlock + kOffset + 441;
            for (size_t i = std::max(latency, fadeEnd); i < in.left.size(); ++i) {
                ASSERT_EQ(out.left[i], in.left[i - latency]) << i;
                ASSERT_EQ(out.right[i], in.right[i - latency]) << i;
            }
        }
    }
}

}  // namespace
