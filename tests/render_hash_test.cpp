// Bit-exactness guard for the audio path: every program, and a few settings
// no program uses, rendered over the benchmark material at blocks of 1 and of
// 512 frames. The hash covers the output samples and what the editor's
// displays receive; the recorded values are those of the plain per-frame code,
// so any change to the audio path must reproduce it bit for bit.
#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <functional>
#include <random>
#include <string>

#include "dense_mix.h"
#include "params/parameter_table.h"
#include "params/program_bank.h"
#include "support/direct_effect.h"

using namespace velmorin;

namespace {

constexpr float kRate = 44100.0f;

// FNV-1a over the bit patterns of floats.
class BitHash {
  public:
    void add(const float* values, size_t count) {
        for (size_t i = 0; i < count; ++i) {
            uint32_t bits;
            std::memcpy(&bits, &values[i], sizeof bits);
            for (int shift = 0; shift < 32; shift += 8) {
                value_ = (value_ ^ ((bits >> shift) & 0xffu)) * 0x100000001b3ull;
            }
        }
    }
    void add(float v) { add(&v, 1); }
    uint64_t value() const { return value_; }

  private:
    uint64_t value_ = 0xcbf29ce484222325ull;
};

void append(StereoSignal& to, const StereoSignal& part) {
    to.left.insert(to.left.end(), part.left.begin(), part.left.end());
    to.right.insert(to.right.end(), part.right.begin(), part.right.end());
}

// The dense mix, a crescendo that keeps deepening the reduction, digital
// silence, noise of denormal size and noise far below every threshold.
const StereoSignal& material() {
    static const StereoSignal signal = [] {
        StereoSignal s = denseMix(static_cast<int>(kRate * 2.5f));
        append(s, crescendo(static_cast<int>(kRate)));
        const size_t quiet = static_cast<size_t>(kRate / 2);
        append(s, {std::vector<float>(quiet), std::vector<float>(quiet)});
        std::mt19937 rng(5);
        std::uniform_real_distribution<float> tiny(-1e-38f, 1e-38f);
        StereoSignal denormals{std::vector<float>(quiet / 2), std::vector<float>(quiet / 2)};
        for (size_t n = 0; n < quiet / 2; ++n)
            denormals.left[n] = tiny(rng), denormals.right[n] = tiny(rng);
        append(s, denormals);
        append(s, nearSilence(static_cast<int>(quiet / 2)));
        return s;
    }();
    return signal;
}

uint64_t materialHash() {
    BitHash hash;
    hash.add(material().left.data(), material().left.size());
    hash.add(material().right.data(), material().right.size());
    return hash.value();
}

uint64_t renderHash(const std::function<void(DirectEffect&)>& setUp, float inputGain,
                    int32_t block) {
    DirectEffect effect;
    setUp(effect);
    StereoSignal in = material();
    for (float& v : in.left) v *= inputGain;
    for (float& v : in.right) v *= inputGain;
    std::vector<float> outLeft, outRight;
    effect.run(in.left, in.right, outLeft, outRight, block);

    BitHash hash;
    for (size_t n = 0; n < outLeft.size(); ++n) hash.add(outLeft[n]), hash.add(outRight[n]);
    const LaneExtremes waves = effect.engine().feed.waves.take();
    for (const WaveExtremes& lane : waves.lane) {
        hash.add(&lane.maxLeft, 8);  // the eight floats, in declaration order
    }
    const OutputSums sums = effect.engine().feed.output.take();
    hash.add(sums.sumSqLeft), hash.add(sums.sumSqRight);
    hash.add(static_cast<float>(sums.sampleCount));
    return hash.value();
}

struct HashCase {
    const char* name;
    std::function<void(DirectEffect&)> setUp;
    uint64_t atBlock1, atBlock512;
    float inputGain = 1.0f;  // a host far too loud reaches the curve's extremes
};

std::function<void(DirectEffect&)> program(int32_t index) {
    return [index](DirectEffect& e) { e.setProgram(index); };
}

std::function<void(DirectEffect&)> programThen(int32_t index,
                                               std::function<void(DirectEffect&)> change) {
    return [index, change](DirectEffect& e) {
        e.setProgram(index);
        change(e);
    };
}

std::string hex(uint64_t v) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%016" PRIx64, v);
    return text;
}

}  // namespace

TEST(RenderHash, EveryProgramAndSettingRendersTheRecordedBits) {
    static_assert(sizeof(WaveExtremes) == 8 * sizeof(float));
    const HashCase cases[] = {
        {"Init", program(0), 0xc0daaa3a513dbbca, 0x4bf537b37b6fc6cc},
        {"Mastering 1", program(1), 0xaf9f22e63cfb9bd6, 0x24392983e0c15e68},
        {"Mastering 2", program(2), 0x6ddb1b578b4947ae, 0x5cf552fd867e1d5a},
        {"Mastering 3", program(3), 0x7b6b3270ddbb5e4a, 0xae70654aef5ceee5},
        {"Mastering 4", program(4), 0xf368659fa37d1f5c, 0x2417cb7aec272fc9},
        {"Heavy", program(5), 0xacfde86db24960cd, 0xfca7230aa9003c20},
        {"Constant Hi", program(6), 0x1a48b0c0955d0df8, 0xa7abe0c8f7410af5},
        {"Preserve Attacks", program(7), 0x8bad9d49f61d818d, 0x4151b37e8d944a4f},
        {"Punchy", program(8), 0x163cad8b93f43bfb, 0xe3677ac5b08f10b1},
        {"Carpe Diem", program(9), 0x9d9867ae39f2769e, 0x791951560c02f43f},
        {"Gimme more !", program(10), 0x9344a1f0e16d82ca, 0xd7d8d515ffd57dc6},
        {"Suffer well", program(11), 0x77163711ae89dcc4, 0x74354cbb4a0ce134},
        {"User 1", program(12), 0x5feac4d4c200e392, 0x481dac0fed56f046},
        {"Mastering 1, look-ahead off",
         programThen(1, [](DirectEffect& e) { e.setParameter(kLookAhead, 0.0f); }),
         0xcdc2aaeefb566350, 0xb1560dcb30d65f61},
        {"Mastering 1, smoothed attacks, no DC removal",
         programThen(1,
                     [](DirectEffect& e) {
                         for (int32_t i : {kHighAtk, kMidAtk, kLowAtk}) e.setParameter(i, 1.0f);
                         e.engine().dcRemoval.set(0);
                     }),
         0xe32cef5f563ba76c, 0x50c2f2b1398862c6},
        {"Heavy, high band off, low band bypassed, normalize target 2",
         programThen(5,
                     [](DirectEffect& e) {
                         e.setParameter(kHighOn, 0.0f);
                         e.setParameter(kLowBypass, 1.0f);
                         e.engine().normalizeTarget.set(2);
                         e.setParameter(kThrLimiter, 30.0f / 48.0f);
                     }),
         0x9d8cf0237bea55a4, 0xe8b71da6acd179bb},
        {"Mastering 4 at 96 kHz",
         programThen(4, [](DirectEffect& e) { e.setSampleRate(96000.0f); }), 0x2468fa3bed8c5452,
         0xcc07e9c4e5eef389},
        {"Mastering 1, 110 dB too loud", program(1), 0x203c51e71a7413a3, 0x50df648572ccc6d5,
         3.0e5f},
        {"Heavy, smoothed attacks, 110 dB too loud",
         programThen(5,
                     [](DirectEffect& e) {
                         for (int32_t i : {kHighAtk, kMidAtk, kLowAtk}) e.setParameter(i, 1.0f);
                     }),
         0x04712ce204627ac7, 0x2623e0ed6befa77b, 3.0e5f},
    };
    ASSERT_EQ(hex(materialHash()), "0xbdfe47133dd31575")
        << "the material itself is not as recorded";
    for (const HashCase& c : cases) {
        const uint64_t one = renderHash(c.setUp, c.inputGain, 1);
        const uint64_t full = renderHash(c.setUp, c.inputGain, 512);
        EXPECT_EQ(hex(one), hex(c.atBlock1)) << c.name << ", blocks of 1";
        EXPECT_EQ(hex(full), hex(c.atBlock512)) << c.name << ", blocks of 512";
    }
}
