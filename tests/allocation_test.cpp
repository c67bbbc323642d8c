// processReplacing must never allocate: count every allocation around it.
#include <gtest/gtest.h>

#include "params/parameter_table.h"
#include "params/program_bank.h"
#include "support/allocation_count.h"
#include "support/direct_effect.h"

TEST(Allocation, ProcessingEveryProgramAllocatesNothing) {
    DirectEffect effect;
    auto signal = sine(180.0f, 0.9f, 4096);
    for (size_t n = 0; n < signal.size(); n += 7) signal[n] += 0.5f;  // transients
    std::vector<float> left(signal), right(signal), out(signal.size());
    float* inputs[2] = {left.data(), right.data()};
    float* outputs[2] = {out.data(), out.data()};

    for (int32_t program = 0; program < velmorin::kNumPrograms; ++program) {
        effect.setProgram(program);
        effect.setParameter(velmorin::kDither, 1.0f);
        const long before = allocationCount();
        for (int32_t block = 0; block < 64; ++block) {
            effect.processReplacing(inputs, outputs, static_cast<int32_t>(out.size()));
            effect.engine().feed.waves.take();
            effect.engine().feed.output.take();
        }
        EXPECT_EQ(allocationCount() - before, 0) << "program " << program;
    }
}
