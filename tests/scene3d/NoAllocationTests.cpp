#include "TestShow.h"

#include <gtest/gtest.h>

#include "CountingAllocator.h"

TEST(NoAllocation, ShowFramesCreateNothingFromTheFirstOn)
{
    TestShow t;
    const long before = allocations.load();
    for (int frame = 0; frame < 3000; ++frame)
        t.show.StepShow3D();
    EXPECT_EQ(allocations.load() - before, 0);
    EXPECT_GT(t.UsedPuffs(), 900);
}
