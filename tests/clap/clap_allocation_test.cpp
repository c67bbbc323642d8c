// The CLAP process call, parameter events and all, must never allocate:
// count every allocation the module makes around it.
#include <gtest/gtest.h>

#include <vector>

#include "clap/clap_test_host.h"
#include "params/parameter_table.h"
#include "support/allocation_count.h"

TEST(ClapAllocation, ProcessingWithEventsAllocatesNothing) {
    const long atStart = allocationCount();
    ClapInstance instance;
    ASSERT_GT(allocationCount(), atStart);  // the count reaches into the module
    instance.start();
    std::vector<float> in(1024, 0.7f), outLeft(1024), outRight(1024);
    EventList events;
    events.add(100, velmorin::kThrH, -5);
    events.add(300, velmorin::kLookAhead, 0);  // asks for a restart too
    events.add(700, velmorin::kDither, 1);     // and tells of a new tail
    const long before = allocationCount();
    instance.process(in.data(), in.data(), outLeft.data(), outRight.data(), 1024, events);
    EXPECT_EQ(allocationCount(), before);
    EXPECT_EQ(instance.record().restartRequests, 1);
    EXPECT_EQ(instance.record().tailChanges, 1);
}
