// The CLAP build on several threads at once, as hosts run it. Under
// ThreadSanitizer: instances that live their whole lives on threads of their
// own share nothing, and one instance's main-thread calls (state, values and
// their texts) run beside its audio thread's process and flush.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>
#include <vector>

#include "clap/clap_test_host.h"
#include "params/parameter_table.h"

using namespace velmorin;

namespace {

constexpr uint32_t kFrames = 256;

// Loud enough that every band compresses and the limiter works.
std::vector<float> sine(float step, uint32_t frames = kFrames) {
    std::vector<float> wave(frames);
    for (uint32_t i = 0; i < frames; ++i) wave[i] = 0.9f * std::sin(step * static_cast<float>(i));
    return wave;
}

// Threshold and output changes spread over the block, as automation sends them.
EventList automation(int block, int seed) {
    EventList events;
    events.add(0, kThrH, -((block + seed) % 72) / 2.0);
    events.add(kFrames / 3, kThrLimiter, -((block * 7 + seed) % 48) / 2.0);
    events.add(kFrames / 2, kOutput, ((block * 331 + seed) % 24000) / 1000.0);
    return events;
}

bool finite(const std::vector<float>& samples) {
    for (float sample : samples)
        if (!std::isfinite(sample)) return false;
    return true;
}

TEST(ClapThreads, InstancesOnSeveralThreadsLiveTheirWholeLivesAtOnce) {
    constexpr int kThreads = 4;
    constexpr int kBlocks = 60;
    std::vector<std::thread> threads;
    std::atomic<int> good{0};
    for (int seed = 0; seed < kThreads; ++seed) {
        threads.emplace_back([seed, &good] {
            ClapInstance instance;
            instance.start();
            const std::vector<float> in = sine(0.01f * static_cast<float>(seed + 1));
            std::vector<float> left(kFrames), right(kFrames);
            bool ok = true;
            for (int block = 0; block < kBlocks; ++block) {
                ok &= instance.process(in.data(), in.data(), left.data(), right.data(), kFrames,
                                       automation(block, seed)) == CLAP_PROCESS_CONTINUE;
                ok &= finite(left) && finite(right);
            }
            const std::vector<uint8_t> saved = instance.save();
            instance.deactivate();
            // Another value, then the saved state back: the thread's own last
            // values, whatever the other instances were sent.
            EventList other;
            other.add(0, kThrH, -35.5);
            instance.flush(other);
            ok &= instance.load(saved);
            ok &= instance.value(kThrH) == -((kBlocks - 1 + seed) % 72) / 2.0;
            ok &= std::fabs(instance.value(kOutput) -
                            ((kBlocks - 1) * 331 + seed) % 24000 / 1000.0) < 1e-6;
            if (ok) ++good;
        });
    }
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(good, kThreads);
}

TEST(ClapThreads, MainThreadCallsRunBesideTheAudioThread) {
    ClapInstance instance;
    instance.start();
    const clap_plugin_params_t& params = instance.extension<clap_plugin_params_t>(CLAP_EXT_PARAMS);
    std::atomic<bool> mainRunning{false};
    std::atomic<bool> audioDone{false};
    constexpr int kBlocks = 300;

    // CLAP runs flush on the audio thread while active, never during process.
    // The audio starts once the main thread runs: on a loaded machine it could
    // otherwise end before the main thread's first call.
    std::thread audio([&] {
        while (!mainRunning) std::this_thread::yield();
        const std::vector<float> in = sine(0.02f);
        std::vector<float> left(kFrames), right(kFrames);
        for (int block = 0; block < kBlocks; ++block) {
            instance.process(in.data(), in.data(), left.data(), right.data(), kFrames,
                             automation(block, 0));
            if (block % 10 == 0) instance.flush(automation(block, 5));
        }
        audioDone = true;
    });
    int saves = 0;
    std::vector<uint8_t> saved;
    mainRunning = true;
    do {
        saved = instance.save();
        ++saves;
        double value = 0.0;
        char text[CLAP_NAME_SIZE];
        for (clap_id id : {kThrH, kThrLimiter, kOutput}) {
            params.get_value(&instance.plugin(), id, &value);
            params.value_to_text(&instance.plugin(), id, value, text, sizeof text);
        }
        if (saves % 4 == 0) instance.load(saved);
    } while (!audioDone);
    audio.join();
    EXPECT_GT(saves, 0);
    EXPECT_TRUE(instance.load(saved));
    const std::vector<uint8_t> again = instance.save();
    EXPECT_EQ(again, saved);
}

}  // namespace
