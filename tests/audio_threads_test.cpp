// Audio, automation and the editor's consumer at once. Run under
// ThreadSanitizer, this proves the shared values and the display feed are
// handed over without data races.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "params/parameter_table.h"
#include "params/program_bank.h"
#include "support/direct_effect.h"

using namespace velmorin;

TEST(AudioThreads, ProcessingAutomationAndDisplayRunTogether) {
    DirectEffect effect;
    std::atomic<bool> audioDone{false};
    constexpr int32_t kBlocks = 400;
    int64_t framesSeen = 0;

    std::thread audio([&] {
        auto in = sine(150.0f, 0.9f, 256);
        std::vector<float> out(256);
        float* inputs[2] = {in.data(), in.data()};
        float* outputs[2] = {out.data(), out.data()};
        for (int32_t block = 0; block < kBlocks; ++block) {
            effect.processReplacing(inputs, outputs, 256);
        }
        audioDone = true;
    });
    std::thread automation([&] {
        for (int32_t i = 0; !audioDone; ++i) {
            effect.setParameter(kOutput, static_cast<float>(i % 24000));
            effect.setParameter(kThrLimiter, static_cast<float>(i % 48));
            effect.setParameter(kNormalize, static_cast<float>(i % 2));
            if (i % 50 == 0) effect.setProgram(i / 50 % kNumPrograms);
            effect.engine().normalizeTarget.set(i % 4);
        }
    });
    std::thread display([&] {
        while (!audioDone) {
            effect.engine().feed.waves.take();
            framesSeen += effect.engine().feed.output.take().sampleCount;
            (void)effect.engine().outputGain.get();
        }
    });
    audio.join();
    automation.join();
    display.join();
    framesSeen += effect.engine().feed.output.take().sampleCount;
    // The sums reach the consumer whole: no block lost, none counted twice.
    EXPECT_EQ(framesSeen, int64_t{kBlocks} * 256);
}
