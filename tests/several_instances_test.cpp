// A host runs many instances at once: eight effects process on four audio
// threads while their editors tick on the window thread and other threads
// write the display preferences. Under ThreadSanitizer this proves the
// instances share nothing unsafely; every output must equal the same effect
// rendered alone.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <memory>
#include <random>
#include <thread>
#include <vector>

#include "formats/vst2/adelay_edit.h"
#include "formats/vst2/vst2_editor.h"
#include "host/temp_folder.h"
#include "platform/soft/file_preference_store.h"
#include "platform/soft/headless_windows.h"
#include "platform/soft/soft_graphics.h"
#include "resources/embedded_bitmaps.h"

using namespace velmorin;

namespace {

constexpr int kEffects = 8;
constexpr int kAudioThreads = 4;
constexpr int32_t kFrames = 16384;
constexpr int32_t kBlock = 256;

struct Stereo {
    std::vector<float> left, right;
};

Stereo noise(uint32_t seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> uniform(-0.9f, 0.9f);
    Stereo s{std::vector<float>(kFrames), std::vector<float>(kFrames)};
    for (int32_t n = 0; n < kFrames; ++n) {
        s.left[n] = uniform(random) * (n % 4000 < 2000 ? 1.0f : 0.1f);
        s.right[n] = uniform(random) * 0.5f;
    }
    return s;
}

void processBlock(ADelayEdit& effect, const Stereo& in, Stereo& out, int32_t start) {
    float* inputs[2] = {const_cast<float*>(in.left.data() + start),
                        const_cast<float*>(in.right.data() + start)};
    float* outputs[2] = {out.left.data() + start, out.right.data() + start};
    effect.processReplacing(inputs, outputs, kBlock);
}

int32_t programOf(int effect) {
    return effect * 2 % 18;
}

Stereo renderAlone(int effect, const Stereo& in) {
    ADelayEdit alone(nullptr);
    alone.setProgram(programOf(effect));
    Stereo out{std::vector<float>(kFrames), std::vector<float>(kFrames)};
    for (int32_t start = 0; start < kFrames; start += kBlock) processBlock(alone, in, out, start);
    return out;
}

platform::PreferenceRecord preferencesNumbered(int32_t n) {
    platform::PreferenceRecord record;
    record.peakHold = n;
    record.displaySpeed = n % 4;
    record.waveColours.fill(n % 256);
    return record;
}

}  // namespace

TEST(SeveralInstances, RenderAsAloneWhileEditorsTickAndPreferencesAreWritten) {
    const TempFolder folder;
    const auto preferencesFile = folder / "preferences";
    {
        platform::HeadlessWindows windows;
        platform::SoftGraphics graphics(findEmbeddedBitmap);
        platform::FilePreferenceStore preferences(preferencesFile);
        EditorPlatform services{graphics, windows, preferences};

        std::vector<Stereo> inputs, outputs;
        std::vector<std::unique_ptr<ADelayEdit>> effects;
        std::vector<int> hostWindows(kEffects);
        for (int i = 0; i < kEffects; ++i) {
            inputs.push_back(noise(static_cast<uint32_t>(i + 1)));
            outputs.push_back({std::vector<float>(kFrames), std::vector<float>(kFrames)});
            effects.push_back(std::make_unique<ADelayEdit>(
                nullptr, [&services](ADelayEdit& e) { return new Vst2Editor(e, services); }));
            effects.back()->setProgram(programOf(i));
            ASSERT_TRUE(effects.back()->getEditor()->open(&hostWindows[i]));
        }

        std::atomic<int> audioRunning{kAudioThreads};
        std::vector<std::thread> threads;
        for (int t = 0; t < kAudioThreads; ++t) {
            threads.emplace_back([&, t] {
                for (int32_t start = 0; start < kFrames; start += kBlock) {
                    for (int i = t; i < kEffects; i += kAudioThreads)
                        processBlock(*effects[i], inputs[i], outputs[i], start);
                }
                --audioRunning;
            });
        }
        for (int w = 0; w < 2; ++w) {
            threads.emplace_back([&, w] {
                platform::FilePreferenceStore writer(preferencesFile);
                // At least one write each, however soon the audio is done.
                int32_t n = w;
                do {
                    writer.write(preferencesNumbered(n));
                    n += 2;
                } while (audioRunning > 0);
            });
        }
        // The window thread: every editor's timer and display tick.
        while (audioRunning > 0) windows.advance(50);
        for (std::thread& thread : threads) thread.join();
        windows.advance(500);

        for (int i = 0; i < kEffects; ++i) {
            const Stereo alone = renderAlone(i, inputs[i]);
            EXPECT_EQ(outputs[i].left, alone.left) << "effect " << i;
            EXPECT_EQ(outputs[i].right, alone.right) << "effect " << i;
        }
        for (auto& effect : effects) effect->getEditor()->close();
    }
    // Whatever the writers' order, the file holds one whole record.
    platform::PreferenceRecord read;
    read.peakHold = -1;
    platform::FilePreferenceStore(preferencesFile).read(read);
    EXPECT_GE(read.peakHold, 0);
    const platform::PreferenceRecord expected = preferencesNumbered(read.peakHold);
    EXPECT_EQ(read.displaySpeed, expected.displaySpeed);
    EXPECT_EQ(read.waveColours, expected.waveColours);
}
