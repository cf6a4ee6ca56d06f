#include "LaunchAircraft.h"
#include "StartFlightModel.h"
#include "StepAircraft.h"
#include "TestFlight.h"

#include <gtest/gtest.h>

#include "CountingAllocator.h"

TEST(NoAllocation, FramesAllocateNothingInEitherFlightMode)
{
    for (int16_t mode : {0, 1}) {
        TestFlight t(1600, 1200, 17);
        t.settings.FlightMode = mode;
        t.settings.BlueCount = 100;
        t.settings.AirplaneKind = 100;
        StartFlightModel(t.flight);
        AgeingCanvas canvas;
        const long before = allocations.load();
        for (int frame = 0; frame < 5000; ++frame) {
            LaunchAircraft(t.flight);
            StepAircraft(t.flight, canvas);
        }
        EXPECT_EQ(allocations.load() - before, 0) << "flight mode " << mode;
        int smoking = 0;
        for (int k = 0; k < SmokeSlotsUsed; ++k)
            smoking += t.flight.SmokePoints[k].Used;
        EXPECT_GT(smoking, 0) << "the run must have recorded smoke";
    }
}

TEST(NoAllocation, CounterSeesAllocations)
{
    const long before = allocations.load();
    // A direct call: the optimiser may drop a new-expression's allocation, never this one.
    void* p = ::operator new(16);
    ::operator delete(p);
    EXPECT_EQ(allocations.load() - before, 1);
}
