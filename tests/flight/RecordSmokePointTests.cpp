#include "RecordSmokePoint.h"
#include "StepAircraft.h"
#include "TestFlight.h"

#include <gtest/gtest.h>

namespace {

constexpr int Spare = 40;

// Aircraft 0 flying right from (100, 100) at 11 px per frame, reading the program one
// character per 4 frames (U = 4), smoke drawn.
struct Smoker {
    explicit Smoker(const char* program)
    {
        t.settings.BlueCount = 1;
        t.settings.SmokeMode = 1;
        t.settings.FlightMode = 1;
        t.settings.ComplementCount = 15;
        t.flight.FlightPrograms[Spare] = program;
        PlaneState& p = t.Place(0, 100, 100, 2, 1, 1);
        p.Prog = Spare;
    }
    PlaneState& plane() { return t.flight.Planes[0]; }
    const SmokePoint& point(int k) const { return t.flight.SmokePoints[k]; }
    void Frames(int n)
    {
        for (int i = 0; i < n; ++i)
            StepAircraft(t.flight, canvas);
    }
    TestFlight t;
    RecordingCanvas canvas;
};

}  // namespace

TEST(SmokeRecording, SegmentsFormALinkedTrailFromTheSmokeCommandOn)
{
    Smoker s("S9");
    s.Frames(1);
    ASSERT_EQ(s.point(0).Used, 1);
    EXPECT_EQ(s.point(0).X1, 100);
    EXPECT_EQ(s.point(0).X2, 111);
    EXPECT_EQ(s.point(0).Y2, 100);
    EXPECT_EQ(s.point(0).Scale, 1);
    EXPECT_EQ(s.point(0).Age, 0);
    EXPECT_EQ(s.point(0).PrevPt, -1);
    EXPECT_EQ(s.point(0).NextPt, -1);
    s.Frames(2);
    EXPECT_EQ(s.point(1).X1, 111);
    EXPECT_EQ(s.point(1).PrevPt, 0);
    EXPECT_EQ(s.point(0).NextPt, 1);
    EXPECT_EQ(s.point(2).X2, 133);
    EXPECT_EQ(s.point(2).PrevPt, 1);
    EXPECT_EQ(s.point(2).NextPt, -1);
    EXPECT_EQ(s.plane().LastSmoke, 2);
    EXPECT_EQ(s.point(3).Used, 0);
}

TEST(SmokeRecording, CornerPointCarriesTheSmoothingCount)
{
    Smoker s("SR9");
    s.Frames(5);  // the turn is read in frame 5
    EXPECT_EQ(s.point(3).Smooth, 0);
    EXPECT_EQ(s.point(4).Smooth, 15);
    EXPECT_EQ(s.point(4).X2, 155);  // segment ending at the corner
    EXPECT_EQ(s.plane().Turned, 0);
    s.Frames(1);
    EXPECT_EQ(s.point(5).Smooth, 0);
    EXPECT_EQ(s.point(5).Y2, 108);  // first diagonal step
}

TEST(SmokeRecording, TurnWithSmokeOffMarksTheFirstPointAfterSmokeComesOn)
{
    Smoker s("RS9");
    s.Frames(1);
    EXPECT_EQ(s.plane().Turned, 1);
    EXPECT_EQ(s.point(0).Used, 0);
    s.Frames(4);
    EXPECT_EQ(s.point(0).Smooth, 15);
    EXPECT_EQ(s.plane().Turned, 0);
}

TEST(SmokeRecording, SmokeCommandStartsANewUnconnectedTrail)
{
    Smoker s("S1SS9");
    s.Frames(13);  // S, 1, then S (off) in frame 9, S (on) in frame 13
    EXPECT_EQ(s.plane().Smoke, 1);
    EXPECT_EQ(s.point(7).NextPt, -1);  // old trail ends at frame 8's point
    EXPECT_EQ(s.point(8).PrevPt, -1);
    EXPECT_EQ(s.plane().LastSmoke, 8);
}

TEST(SmokeRecording, SmokeModeOffRecordsNothingButSteeringGoesOn)
{
    Smoker s("RS9");
    s.t.settings.SmokeMode = 0;
    s.Frames(10);
    EXPECT_EQ(s.plane().Smoke, 1);
    EXPECT_EQ(s.plane().Turned, 1);
    for (int k = 0; k < SmokeSlotCount; ++k)
        ASSERT_EQ(s.point(k).Used, 0) << k;
}

TEST(SmokeRecording, FullPoolRecordsNothingAndTheTrailGoesOnLater)
{
    Smoker s("S9");
    s.Frames(2);  // points 0 and 1
    for (int k = 2; k < SmokeSlotsUsed; ++k)
        s.t.flight.SmokePoints[k].Used = 1;
    s.Frames(3);
    EXPECT_EQ(s.plane().LastSmoke, 1);
    EXPECT_EQ(s.point(1000).Used, 0);  // the spare slot is never taken
    EXPECT_EQ(s.point(1).NextPt, -1);

    s.t.flight.SmokePoints[500].Used = 0;
    s.Frames(1);
    EXPECT_EQ(s.point(500).PrevPt, 1);
    EXPECT_EQ(s.point(1).NextPt, 500);
    EXPECT_EQ(s.point(500).X1, 155);  // from last frame's position: a gap in time
    EXPECT_EQ(s.point(500).X2, 166);
}

TEST(SmokeRecording, TrailIsNotContinuedFromAPointThatWentToAnotherTrail)
{
    TestFlight t;
    t.settings.ComplementCount = 4;
    t.Place(0, 100, 100, 2).Smoke = 1;
    t.Place(1, 300, 300, 4).Smoke = 1;
    RecordSmokePoint(t.flight, 0);  // slot 0, aircraft 0's newest
    // While aircraft 0 could not record, slot 0 aged out and aircraft 1 took it.
    t.flight.SmokePoints[0].Used = 0;
    RecordSmokePoint(t.flight, 1);
    ASSERT_EQ(t.flight.Planes[1].LastSmoke, 0);
    RecordSmokePoint(t.flight, 0);
    EXPECT_EQ(t.flight.SmokePoints[1].PrevPt, -1);
    EXPECT_EQ(t.flight.SmokePoints[0].NextPt, -1);  // aircraft 1's trail is untouched
}

TEST(SmokeRecording, FreedNewestPointIsNotLinkedToItself)
{
    TestFlight t;
    t.Place(0, 100, 100, 2).Smoke = 1;
    RecordSmokePoint(t.flight, 0);
    t.flight.SmokePoints[0].Used = 0;
    RecordSmokePoint(t.flight, 0);
    EXPECT_EQ(t.flight.Planes[0].LastSmoke, 0);
    EXPECT_EQ(t.flight.SmokePoints[0].PrevPt, -1);
    EXPECT_EQ(t.flight.SmokePoints[0].NextPt, -1);
}
