// A burst of NaN and infinity from upstream must not silence the effect.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "params/parameter_table.h"
#include "support/direct_effect.h"

using namespace velmorin;

namespace {

constexpr int32_t kBlock = 512;

std::vector<float> burstThenSine(int32_t frames) {
    auto signal = sine(220.0f, 0.5f, frames);
    const float inf = std::numeric_limits<float>::infinity();
    for (int32_t n = 1000; n < 1100; ++n) {
        signal[n] = n % 3 == 0 ? std::nanf("") : (n % 3 == 1 ? inf : -inf);
    }
    return signal;
}

float levelDb(const std::vector<float>& s, size_t from, size_t to) {
    return 20.0f * std::log10(peakOf(s, from, to));
}

}  // namespace

TEST(NonFiniteInput, OutputRecoversAndMatchesAFreshEffect) {
    for (int32_t program : {0, 1, 5, 8, 12}) {
        DirectEffect hit, fresh;
        hit.setProgram(program);
        fresh.setProgram(program);
        const int32_t frames = 44100 * 4;
        const auto out = hit.runMono(burstThenSine(frames), kBlock);

        const size_t finiteFrom = 1100 + 900 + kBlock;
        for (size_t n = finiteFrom; n < out.size(); ++n) {
            ASSERT_TRUE(std::isfinite(out[n])) << "program " << program << " frame " << n;
        }
        const auto reference = fresh.runMono(sine(220.0f, 0.5f, frames), kBlock);
        EXPECT_NEAR(levelDb(out, frames - 44100, frames),
                    levelDb(reference, frames - 44100, frames), 0.1f)
            << "program " << program;
    }
}

// One non-finite sample at the end of a block leaves it in the filter input
// history the next block starts from; its recovery has to catch the older
// history slot as well as the newest. (With DC removal on, the tracker
// spreads it to every later sample of the block, so the newest slot alone
// would tell; without it, it does not.)
TEST(NonFiniteInput, OneSampleAtABlockEndIsForgottenWithThatBlock) {
    const float inf = std::numeric_limits<float>::infinity();
    struct Case {
        int32_t fromBlockEnd;  // 1: the block's last frame
        float value;
    };
    const Case cases[] = {{1, std::nanf("")}, {2, std::nanf("")}, {2, inf}, {2, -inf}, {3, inf}};
    const int32_t blockEnd = 3 * kBlock;
    const size_t finiteFrom = blockEnd + 900;  // both look-ahead delays, rounded up
    for (const Case& c : cases) {
        for (int32_t program : {0, 1, 5}) {
            for (int32_t dcRemoval : {0, 1}) {
                DirectEffect effect;
                effect.setProgram(program);
                effect.engine().dcRemoval.set(dcRemoval);
                auto in = sine(220.0f, 0.5f, blockEnd + 2048);
                in[blockEnd - c.fromBlockEnd] = c.value;
                const auto out = effect.runMono(in, kBlock);
                for (size_t n = finiteFrom; n < out.size(); ++n) {
                    ASSERT_TRUE(std::isfinite(out[n]))
                        << c.value << " at " << c.fromBlockEnd << " before the block end, program "
                        << program << ", DC removal " << dcRemoval << ", frame " << n;
                }
            }
        }
    }
}

TEST(NonFiniteInput, ExtremeButFiniteStateIsKept) {
    DirectEffect effect;
    effect.setParameter(kLookAhead, 0.0f);
    auto in = sine(1000.0f, 0.5f, 512);
    in.back() = 1e30f;  // absurdly loud, still a number
    effect.runMono(in, 512);
    EXPECT_GT(effect.engine().limiter.gain, 0.0f);
    EXPECT_LT(effect.engine().limiter.gain, 1e-20f);
}
