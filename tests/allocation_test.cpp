// processReplacing must never allocate: count every allocation around it.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "params/parameter_table.h"
#include "params/program_bank.h"
#include "support/direct_effect.h"

namespace {
std::atomic<long> allocations{0};
}

void* operator new(std::size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
// Both halves are replaced together, so malloc and free do pair up.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

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
        const long before = allocations.load();
        for (int32_t block = 0; block < 64; ++block) {
            effect.processReplacing(inputs, outputs, static_cast<int32_t>(out.size()));
            effect.engine().feed.waves.take();
            effect.engine().feed.output.take();
        }
        EXPECT_EQ(allocations.load() - before, 0) << "program " << program;
    }
}
