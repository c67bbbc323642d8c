// Processing speed of the audio path, per stereo frame, on typical material.
// Reports ns per frame and the real-time factor at 44.1 kHz.
#include <benchmark/benchmark.h>

#include <functional>

#include <algorithm>

#include "dense_mix.h"
#include "engine/effect.h"
#include "engine/engine_state.h"
#include "engine/look_ahead_ramp.h"
#include "params/parameter_table.h"

namespace {

constexpr int kFrames = 44100 * 4;
constexpr int kBlock = 512;

void runCase(benchmark::State& state, const StereoSignal& signal,
             const std::function<void(velmorin::Effect&)>& setUp) {
    velmorin::Effect effect;
    setUp(effect);
    std::vector<float> outLeft(kBlock), outRight(kBlock);
    for (auto _ : state) {
        for (int start = 0; start + kBlock <= kFrames; start += kBlock) {
            float* in[2] = {const_cast<float*>(signal.left.data() + start),
                            const_cast<float*>(signal.right.data() + start)};
            float* out[2] = {outLeft.data(), outRight.data()};
            effect.process(44100.0f, in, out, kBlock);
        }
        benchmark::DoNotOptimize(outLeft.data());
        benchmark::ClobberMemory();
    }
    const double frames = static_cast<double>(state.iterations()) * (kFrames / kBlock * kBlock);
    state.counters["ns_per_frame"] = benchmark::Counter(
        frames * 1e-9, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["x_realtime"] =
        benchmark::Counter(frames / 44100.0, benchmark::Counter::kIsRate);
}

const StereoSignal& mix() {
    static const StereoSignal signal = denseMix(kFrames);
    return signal;
}

void program(velmorin::Effect& e, int32_t index) {
    e.setProgram(index);
}

}  // namespace

static void Init(benchmark::State& s) {
    runCase(s, mix(), [](auto& e) { program(e, 0); });
}
static void Mastering1(benchmark::State& s) {
    runCase(s, mix(), [](auto& e) { program(e, 1); });
}
static void Heavy(benchmark::State& s) {
    runCase(s, mix(), [](auto& e) { program(e, 5); });
}
static void LookAheadOff(benchmark::State& s) {
    runCase(s, mix(), [](auto& e) {
        program(e, 1);
        e.setParameter(velmorin::kLookAhead, 0.0f);
    });
}
static void Bypass(benchmark::State& s) {
    runCase(s, mix(), [](auto& e) { e.setParameter(velmorin::kBypass, 1.0f); });
}
static void NearSilence(benchmark::State& s) {
    static const StereoSignal quiet = nearSilence(kFrames);
    runCase(s, quiet, [](auto& e) { program(e, 1); });
}
static void Silence(benchmark::State& s) {
    static const StereoSignal zeros{std::vector<float>(kFrames), std::vector<float>(kFrames)};
    runCase(s, zeros, [](auto& e) { program(e, 1); });
}
static void DenormalInput(benchmark::State& s) {
    static const StereoSignal tiny = denormalNoise(kFrames);
    runCase(s, tiny, [](auto& e) { program(e, 1); });
}
static void SustainedRamps(benchmark::State& s) {
    static const StereoSignal rising = crescendo(kFrames);
    runCase(s, rising, [](auto& e) { program(e, 1); });
}

// Digital silence after a loud passage: every filter and release decays
// towards zero, which must cost no more than twice the mix.
static void LongSilence(benchmark::State& s) {
    static const StereoSignal silence{std::vector<float>(kFrames), std::vector<float>(kFrames)};
    runCase(s, silence, [](auto& e) {
        program(e, 1);
        // A loud start leaves every state decaying when the silence begins.
        const StereoSignal& loud = mix();
        std::vector<float> out(kBlock);
        float* in[2] = {const_cast<float*>(loud.left.data()),
                        const_cast<float*>(loud.right.data())};
        float* outs[2] = {out.data(), out.data()};
        e.process(44100.0f, in, outs, kBlock);
    });
}

// The worst case of one look-ahead ramp: a deep reduction arrives while every
// waiting gain is still 1.0, so the walk rewrites all 439 of them. (Refilling
// the ring with 1.0 is part of each iteration.)
static void RampFullWalk(benchmark::State& state) {
    float gains[velmorin::kRingCapacity];
    int32_t length = velmorin::kLookAheadRingLength;
    benchmark::DoNotOptimize(length);  // a run-time length, as in the engine
    int32_t pos = 0;
    for (auto _ : state) {
        std::fill(gains, gains + velmorin::kRingCapacity, 1.0f);
        gains[(pos + length - 1) % length] = 0.25f;
        velmorin::rampBack(gains, pos, length, 0.25f);
        benchmark::DoNotOptimize(gains);
        pos = (pos + 1) % length;
    }
    state.counters["slots_per_walk"] = 439;
}
BENCHMARK(RampFullWalk);

BENCHMARK(Init)->Unit(benchmark::kMillisecond);
BENCHMARK(Mastering1)->Unit(benchmark::kMillisecond);
BENCHMARK(Heavy)->Unit(benchmark::kMillisecond);
BENCHMARK(LookAheadOff)->Unit(benchmark::kMillisecond);
BENCHMARK(Bypass)->Unit(benchmark::kMillisecond);
BENCHMARK(Silence)->Unit(benchmark::kMillisecond);
BENCHMARK(NearSilence)->Unit(benchmark::kMillisecond);
BENCHMARK(DenormalInput)->Unit(benchmark::kMillisecond);
BENCHMARK(SustainedRamps)->Unit(benchmark::kMillisecond);
BENCHMARK(LongSilence)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
