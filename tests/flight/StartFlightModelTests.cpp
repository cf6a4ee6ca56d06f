#include "Numbers.h"
#include "StartFlightModel.h"
#include "TestFlight.h"

#include <gtest/gtest.h>

#include <set>

TEST(StartFlightModel, KindsOfTheDialogLoadTheirOwnPictures)
{
    const int16_t edges[] = {400, 180, 225, 240, 240, 240};
    for (int16_t kind = 0; kind < 6; ++kind) {
        TestFlight t;
        t.settings.AirplaneKind = kind;
        EXPECT_EQ(StartFlightModel(t.flight), kind);
        for (int16_t size : t.flight.KindCellSize)
            EXPECT_EQ(size, edges[kind]) << kind;
    }
}

TEST(StartFlightModel, RandomKindClearsTheRequestAndDrawsOneOfSix)
{
    std::set<int> kinds;
    for (uint64_t seed = 1; seed <= 40; ++seed) {
        TestFlight t(640, 480, seed);
        t.settings.AirplaneKind = 101;
        t.flight.KindChangeRequest = 1;
        const int16_t kind = StartFlightModel(t.flight);
        RandomSource twin(seed);
        EXPECT_EQ(kind, Int(twin.Rnd() * 6));
        EXPECT_EQ(t.flight.KindChangeRequest, 0);
        EXPECT_EQ(t.flight.KindCellSize[5], KindCellEdge(kind));
        kinds.insert(kind);
    }
    EXPECT_EQ(kinds.size(), 6u);
}

TEST(StartFlightModel, KindsTheDialogNeverWritesShowTheFirstKind)
{
    for (int16_t stored : {int16_t(6), int16_t(100), int16_t(102), int16_t(199), int16_t(-1), int16_t(-32768)}) {
        TestFlight t(640, 480, 3);
        t.flight.KindChangeRequest = 1;
        t.settings.AirplaneKind = stored;
        EXPECT_EQ(StartFlightModel(t.flight), 0) << stored;
        for (int16_t size : t.flight.KindCellSize)
            EXPECT_EQ(size, 400) << stored;
        EXPECT_EQ(t.flight.KindChangeRequest, 1) << "only the random kind consumes the request";
        RandomSource twin(3);
        EXPECT_EQ(t.flight.Rnd(), twin.Rnd()) << "no draw for " << stored;
    }
}

TEST(StartFlightModel, ThrowsAwaySmokeAndRetiresTheAircraftInUse)
{
    TestFlight t;
    t.settings.BlueCount = 30;
    for (SmokePoint& p : t.flight.SmokePoints)
        p.Used = 1;
    for (PlaneState& p : t.flight.Planes)
        p.Active = 1;
    t.flight.FormationFlying = 1;
    StartFlightModel(t.flight);
    for (int k = 0; k < SmokeSlotsUsed; ++k)
        ASSERT_EQ(t.flight.SmokePoints[k].Used, 0) << k;
    EXPECT_EQ(t.flight.SmokePoints[1000].Used, 1) << "the spare slot is never touched";
    EXPECT_EQ(t.flight.Planes[29].Active, 0);
    EXPECT_EQ(t.flight.Planes[30].Active, 1);
    EXPECT_EQ(t.flight.FormationFlying, 0);
    EXPECT_EQ(t.flight.SoloProgramCount, 5);
    EXPECT_EQ(t.flight.MaxFormation, 5);
    EXPECT_EQ(t.flight.Formations[3].Count, 3);
}
