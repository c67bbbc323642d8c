// A buggy host, a corrupt automation lane or a script can send any float to
// any parameter. Whatever arrives, the stored values, the gains and every later
// output sample stay finite, on every program.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "params/program_bank.h"
#include "support/direct_effect.h"

using namespace velmorin;

namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kHostileValues[] = {
    std::numeric_limits<float>::quiet_NaN(),
    kInf,
    -kInf,
    std::numeric_limits<float>::max(),
    -std::numeric_limits<float>::max(),
    1e30f,
    -1e30f,
    1e9f,
    -1e9f,
    65536.0f,
    -65536.0f,
    -1.0f,
    std::numeric_limits<float>::denorm_min(),
    -std::numeric_limits<float>::denorm_min(),
};

// Differing channels with loud, quiet, tiny and silent stretches: every
// compressor and limiter branch gets its turn.
void testSignal(std::vector<float>& left, std::vector<float>& right) {
    constexpr int32_t kFrames = 4096;
    left = sine(220.0f, 0.9f, kFrames);
    right = sine(3100.0f, 0.4f, kFrames);
    for (int32_t n = 1024; n < 2048; ++n) {
        left[n] *= 1e-7f;
        right[n] = 0.0f;
    }
    for (int32_t n = 2048; n < 2560; ++n) left[n] = right[n] = 0.0f;
}

bool allFinite(const std::vector<float>& samples) {
    for (float s : samples) {
        if (!std::isfinite(s)) return false;
    }
    return true;
}

::testing::AssertionResult storedValuesFinite(ADelay& effect) {
    const EngineState& e = effect.engine();
    for (int32_t index = 0; index < kNumParameters; ++index) {
        if (!std::isfinite(e.stored.storedAsFloat(index)) ||
            !std::isfinite(effect.getParameter(index)))
            return ::testing::AssertionFailure() << "stored value of parameter " << index;
    }
    if (!std::isfinite(e.outputGain.get())) return ::testing::AssertionFailure() << "output gain";
    if (!std::isfinite(e.limiterThresholdGain.get()) || e.limiterThresholdGain.get() <= 0.0f)
        return ::testing::AssertionFailure() << "limiter threshold gain";
    return ::testing::AssertionSuccess();
}

}  // namespace

TEST(HostileParameter, NoValueLeavesStateOrOutputNonFinite) {
    std::vector<float> left, right, outLeft, outRight;
    testSignal(left, right);
    for (int32_t program = 0; program < kNumPrograms; ++program) {
        for (int32_t index = 0; index < kNumParameters; ++index) {
            for (float value : kHostileValues) {
                DirectEffect effect;
                effect.setProgram(program);
                effect.setParameter(index, value);
                SCOPED_TRACE(::testing::Message() << "program " << program << ", parameter "
                                                  << index << ", value " << value);
                ASSERT_TRUE(storedValuesFinite(effect));
                effect.run(left, right, outLeft, outRight);
                ASSERT_TRUE(allFinite(outLeft) && allFinite(outRight));
                ASSERT_TRUE(storedValuesFinite(effect));
                // The program record holds the same value: selecting it again is safe too.
                effect.setProgram(program);
                ASSERT_TRUE(storedValuesFinite(effect));
                effect.run(left, right, outLeft, outRight);
                ASSERT_TRUE(allFinite(outLeft) && allFinite(outRight));
            }
        }
    }
}
