// The VST3 build on several threads at once, as hosts run it. Under
// ThreadSanitizer: instances that live their whole lives on threads of their
// own share nothing, and one instance's main-thread calls (state, the
// controller's values and texts, the editor's messages) run beside its audio
// thread's process, program changes and the host's bypass included.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstring>
#include <thread>
#include <vector>

#include "formats/vst3/vst3_identity.h"
#include "params/parameter_table.h"
#include "vst3/vst3_test_host.h"

using namespace vst3_test;

namespace {

constexpr int32_t kFrames = 256;

std::vector<float> sine(float step) {
    std::vector<float> wave(kFrames);
    for (int32_t i = 0; i < kFrames; ++i) wave[i] = 0.9f * std::sin(step * static_cast<float>(i));
    return wave;
}

// Values spread over the block as automation sends them, a program now and
// then, and the host's bypass switched.
ParameterChanges* automation(int block, int seed) {
    auto* changes = new ParameterChanges;
    changes->add(velmorin::kThrH, 0, ((block + seed) % 73) / 72.0);
    changes->add(velmorin::kThrLimiter, kFrames / 3, ((block * 7 + seed) % 49) / 48.0);
    changes->add(velmorin::kOutput, kFrames / 2, ((block * 331 + seed) % 24001) / 24000.0);
    if (block % 10 == 0)
        changes->add(velmorin::vst3::kProgramParameter, 7, (block / 10 % 18) / 17.0);
    changes->add(velmorin::vst3::kHostBypassParameter, kFrames - 1, block % 20 < 10 ? 0.0 : 1.0);
    return changes;
}

bool processBlocks(Instance& instance, int blocks, int seed) {
    const std::vector<float> in = sine(0.01f * static_cast<float>(seed + 1));
    std::vector<float> left(kFrames), right(kFrames);
    bool ok = true;
    for (int block = 0; block < blocks; ++block) {
        ParameterChanges* changes = automation(block, seed);
        ok &= instance.process(in.data(), in.data(), left.data(), right.data(), kFrames, changes) ==
              Steinberg_kResultOk;
        changes->release();
        for (int32_t i = 0; i < kFrames; ++i)
            ok &= std::isfinite(left[i]) && std::isfinite(right[i]);
    }
    return ok;
}

// What the editor's display tick does: the controller asks, the processor
// answers on this thread with what its audio thread has published.
void requestFeed(HostApplication& host, Steinberg_Vst_IComponent* component) {
    auto* application =
        queryAs<Steinberg_Vst_IHostApplication>(host.context(), Steinberg_Vst_IHostApplication_iid);
    Steinberg_TUID id;
    std::memcpy(id, Steinberg_Vst_IMessage_iid, sizeof id);
    void* object = nullptr;
    call(application, &Steinberg_Vst_IHostApplicationVtbl::createInstance, id, id, &object);
    auto* message = static_cast<Steinberg_Vst_IMessage*>(object);
    call(message, &Steinberg_Vst_IMessageVtbl::setMessageID, "VlmFeedRequest");
    auto* point =
        queryAs<Steinberg_Vst_IConnectionPoint>(component, Steinberg_Vst_IConnectionPoint_iid);
    EXPECT_EQ(call(point, &Steinberg_Vst_IConnectionPointVtbl::notify, message),
              Steinberg_kResultOk);
    call(point, &Steinberg_Vst_IConnectionPointVtbl::release);
    call(message, &Steinberg_Vst_IMessageVtbl::release);
    call(application, &Steinberg_Vst_IHostApplicationVtbl::release);
}

TEST(Vst3Threads, InstancesOnSeveralThreadsLiveTheirWholeLivesAtOnce) {
    constexpr int kThreads = 4;
    std::vector<std::thread> threads;
    std::atomic<int> good{0};
    for (int seed = 0; seed < kThreads; ++seed) {
        threads.emplace_back([seed, &good] {
            Instance instance;
            instance.activate(true);
            bool ok = processBlocks(instance, 60, seed);
            const std::vector<uint8_t> saved = instance.state();
            instance.activate(false);
            Instance fresh(false);
            ok &= fresh.setState(saved) == Steinberg_kResultOk && fresh.state() == saved;
            if (ok) ++good;
        });
    }
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(good, kThreads);
}

TEST(Vst3Threads, MainThreadCallsRunBesideTheAudioThread) {
    auto* host = new HostApplication;
    {
        Instance instance(*host);
        instance.activate(true);
        std::atomic<bool> audioDone{false};
        std::atomic<bool> audioOk{false};
        std::thread audio([&] {
            audioOk = processBlocks(instance, 200, 3);
            audioDone = true;
        });
        Steinberg_Vst_IEditController* controller = instance.controller();
        const std::vector<uint8_t> first = instance.state();
        int rounds = 0;
        while (!audioDone || rounds < 20) {
            const std::vector<uint8_t> state = instance.state();
            EXPECT_EQ(instance.setControllerState(state), Steinberg_kResultOk);
            if (rounds % 7 == 0) {
                EXPECT_EQ(instance.setState(first), Steinberg_kResultOk);
            }
            for (Steinberg_Vst_ParamID id : {velmorin::kThrM, velmorin::kLookAhead}) {
                call(controller, &Steinberg_Vst_IEditControllerVtbl::setParamNormalized, id,
                     (rounds % 5) / 4.0);
                Steinberg_Vst_String128 text{};
                call(controller, &Steinberg_Vst_IEditControllerVtbl::getParamStringByValue, id,
                     call(controller, &Steinberg_Vst_IEditControllerVtbl::getParamNormalized, id),
                     text);
            }
            requestFeed(*host, instance.component());
            ++rounds;
        }
        audio.join();
        EXPECT_TRUE(audioOk);
    }
    host->release();
}

}  // namespace
