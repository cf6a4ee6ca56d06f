#include "LaunchAircraft.h"
#include "Numbers.h"
#include "StartFlightModel.h"
#include "TestFlight.h"

#include <gtest/gtest.h>

#include <array>
#include <set>

namespace {

void StartSolo(TestFlight& t, int16_t count)
{
    t.settings.FlightMode = 0;
    t.settings.BlueCount = count;
    StartFlightModel(t.flight);
}

}  // namespace

TEST(SoloLaunch, DrawsInTheDocumentedOrder)
{
    TestFlight t(800, 600, 4242);
    StartSolo(t, 40);
    LaunchAircraft(t.flight);
    RandomSource rnd(4242);
    const double w = 800;
    const double h = 600;
    for (int i = 0; i < 40; ++i) {
        const PlaneState& p = t.flight.Planes[i];
        int scale = static_cast<int>(Int(rnd.Rnd() * 3) + 1);
        if (scale == 3)
            scale = static_cast<int>(Int(rnd.Rnd() * 6) + 1);
        if (scale == 6)
            scale = static_cast<int>(Int(rnd.Rnd() * 10) + 1);
        ASSERT_EQ(p.Scale, scale) << i;
        const int u = 45 * scale;
        switch (static_cast<int>(Int(rnd.Rnd() * 4))) {
        case 0:
            ASSERT_EQ(p.X, Int(rnd.Rnd() * w)) << i;
            ASSERT_EQ(p.Y, -u) << i;
            ASSERT_EQ(p.Dir, Int(rnd.Rnd() * 3) + 3) << i;
            break;
        case 1:
            ASSERT_EQ(p.X, 799 + u) << i;
            ASSERT_EQ(p.Y, Int(rnd.Rnd() * h)) << i;
            ASSERT_EQ(p.Dir, Int(rnd.Rnd() * 3) + 5) << i;
            break;
        case 2:
            ASSERT_EQ(p.X, Int(rnd.Rnd() * w)) << i;
            ASSERT_EQ(p.Y, 599 + u) << i;
            ASSERT_EQ(p.Dir, (static_cast<int>(Int(rnd.Rnd() * 3)) + 7) % 8) << i;
            break;
        default:
            ASSERT_EQ(p.X, -u) << i;
            ASSERT_EQ(p.Y, Int(rnd.Rnd() * h)) << i;
            ASSERT_EQ(p.Dir, Int(rnd.Rnd() * 3) + 1) << i;
            break;
        }
        ASSERT_EQ(p.Mode, Int(rnd.Rnd() * 2)) << i;
        ASSERT_EQ(p.Prog, Int(rnd.Rnd() * 5)) << i;
        ASSERT_EQ(p.Delay, CInt(rnd.Rnd() * 5)) << i;
        ASSERT_EQ(p.KindSlot, 0) << i;
    }
    EXPECT_EQ(t.flight.Rnd(), rnd.Rnd()) << "no further draws";
}

TEST(SoloLaunch, EntriesComeFromEverySideHeadingIntoTheScreen)
{
    TestFlight t(1024, 768, 3);
    StartSolo(t, 100);
    std::array<std::set<int>, 4> dirsBySide;
    std::set<int> delays;
    for (int round = 0; round < 40; ++round) {
        for (int i = 0; i < 100; ++i)
            t.flight.Planes[i].Active = 0;
        LaunchAircraft(t.flight);
        for (int i = 0; i < 100; ++i) {
            const PlaneState& p = t.flight.Planes[i];
            const int u = 45 * p.Scale;
            int side = -1;
            if (p.Y == -u && p.X >= 0 && p.X < 1024)
                side = 0;
            else if (p.X == 1023 + u && p.Y >= 0 && p.Y < 768)
                side = 1;
            else if (p.Y == 767 + u && p.X >= 0 && p.X < 1024)
                side = 2;
            else if (p.X == -u && p.Y >= 0 && p.Y < 768)
                side = 3;
            ASSERT_NE(side, -1) << p.X << "," << p.Y;
            dirsBySide[side].insert(p.Dir);
            delays.insert(p.Delay);
            ASSERT_EQ(p.Active, 1);
            ASSERT_EQ(p.Smoke, 0);
            ASSERT_EQ(p.Wait, 20) << "five units of four frames";
            ASSERT_EQ(p.Pos, 1);
            ASSERT_EQ(p.OldX, p.X);
            ASSERT_EQ(p.OldY, p.Y);
        }
    }
    EXPECT_EQ(dirsBySide[0], (std::set<int>{3, 4, 5}));
    EXPECT_EQ(dirsBySide[1], (std::set<int>{5, 6, 7}));
    EXPECT_EQ(dirsBySide[2], (std::set<int>{7, 0, 1}));
    EXPECT_EQ(dirsBySide[3], (std::set<int>{1, 2, 3}));
    EXPECT_EQ(delays, (std::set<int>{0, 1, 2, 3, 4, 5}));
}

TEST(SoloLaunch, OnlyRetiredAircraftAmongTheFirstNAreLaunched)
{
    TestFlight t;
    StartSolo(t, 30);
    LaunchAircraft(t.flight);
    for (int i = 0; i < 30; ++i)
        EXPECT_EQ(t.flight.Planes[i].Active, 1) << i;
    EXPECT_EQ(t.flight.Planes[30].Active, 0);

    const PlaneState kept = t.flight.Planes[4];
    t.flight.Planes[7].Active = 0;
    LaunchAircraft(t.flight);
    EXPECT_EQ(t.flight.Planes[4].X, kept.X);
    EXPECT_EQ(t.flight.Planes[4].Scale, kept.Scale);
    EXPECT_EQ(t.flight.Planes[7].Active, 1);
}

TEST(SoloLaunch, NumberOfBlueOutsideTheRecordsIsLimited)
{
    TestFlight many;
    StartSolo(many, 150);
    LaunchAircraft(many.flight);
    for (int i = 0; i < PlaneCount; ++i)
        ASSERT_EQ(many.flight.Planes[i].Active, 1) << i;

    TestFlight none(640, 480, 8);
    StartSolo(none, -4);
    LaunchAircraft(none.flight);
    EXPECT_EQ(none.flight.Planes[0].Active, 0);
    RandomSource twin(8);
    EXPECT_EQ(none.flight.Rnd(), twin.Rnd());
}

TEST(SoloLaunch, StoredKindHundredDrawsASlotPerAircraft)
{
    TestFlight t(640, 480, 21);
    t.settings.AirplaneKind = 100;
    StartSolo(t, 100);
    LaunchAircraft(t.flight);
    std::set<int> seenSlots;
    for (int i = 0; i < 100; ++i) {
        const int slot = t.flight.Planes[i].KindSlot;
        ASSERT_GE(slot, 0);
        ASSERT_LT(slot, KindCount);
        EXPECT_EQ(t.flight.KindCellSize[slot], 400) << "every slot shows the loaded T-4 pictures";
        seenSlots.insert(slot);
    }
    EXPECT_EQ(seenSlots.size(), 6u);
}
