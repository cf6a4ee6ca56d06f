#include "TestShow.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

// Every allocation of this test program is counted, so a frame that allocates shows.
namespace {
std::atomic<long> allocations{0};
}

void* operator new(std::size_t size)
{
    ++allocations;
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept
{
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}

TEST(NoAllocation, ShowFramesCreateNothingFromTheFirstOn)
{
    TestShow t;
    const long before = allocations.load();
    for (int frame = 0; frame < 3000; ++frame)
        t.show.StepShow3D();
    EXPECT_EQ(allocations.load() - before, 0);
    EXPECT_GT(t.UsedPuffs(), 900);
}
