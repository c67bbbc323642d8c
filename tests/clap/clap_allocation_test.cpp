// The CLAP process call, parameter events and all, must never allocate:
// count every allocation the module makes around it.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <vector>

#include "clap/clap_test_host.h"
#include "params/parameter_table.h"

namespace {
std::atomic<long> allocations{0};
}

void* operator new(std::size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

TEST(ClapAllocation, ProcessingWithEventsAllocatesNothing) {
    const long atStart = allocations.load();
    ClapInstance instance;
    ASSERT_GT(allocations.load(), atStart);  // the count reaches into the module
    instance.start();
    std::vector<float> in(1024, 0.7f), outLeft(1024), outRight(1024);
    EventList events;
    events.add(100, velmorin::kThrH, 10);
    events.add(300, velmorin::kLookAhead, 0);  // asks for a restart too
    events.add(700, velmorin::kDither, 1);     // and tells of a new tail
    const long before = allocations.load();
    instance.process(in.data(), in.data(), outLeft.data(), outRight.data(), 1024, events);
    EXPECT_EQ(allocations.load(), before);
    EXPECT_EQ(instance.record().restartRequests, 1);
    EXPECT_EQ(instance.record().tailChanges, 1);
}
