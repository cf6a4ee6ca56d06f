#include "StepAircraft.h"
#include "TestFlight.h"

#include <gtest/gtest.h>

namespace {

using Call = RecordingCanvas::Call;

// One aircraft that is never steered (Mode 2), so only the motion acts on it.
struct Mover {
    explicit Mover(int16_t scale, int16_t step = 27)
    {
        t.settings.BlueCount = 1;
        t.settings.BlueStep = step;
        t.settings.SmokeMode = 0;
        t.settings.FlightMode = 0;
        t.Place(0, 1000, 1000, 0, scale, 2);
    }
    PlaneState& Step(int16_t x, int16_t y, int16_t dir)
    {
        PlaneState& p = t.flight.Planes[0];
        p.X = x;
        p.Y = y;
        p.Dir = dir;
        StepAircraft(t.flight, canvas);
        return p;
    }
    TestFlight t{4000, 3000};
    AgeingCanvas canvas;
};

}  // namespace

TEST(StepAircraft, MovesElevenStraightAndEightDiagonallyAtScaleOneUnitFour)
{
    Mover m(1);
    const int dx[] = {0, 8, 11, 8, 0, -8, -11, -8};
    const int dy[] = {-11, -8, 0, 8, 11, 8, 0, -8};
    for (int16_t dir = 0; dir < 8; ++dir) {
        const PlaneState& p = m.Step(1000, 1000, dir);
        EXPECT_EQ(p.X, 1000 + dx[dir]) << dir;
        EXPECT_EQ(p.Y, 1000 + dy[dir]) << dir;
    }
}

TEST(StepAircraft, HalfPixelStepsRoundToTheEvenCoordinate)
{
    Mover m(2);  // D = 22.5
    EXPECT_EQ(m.Step(100, 1000, 2).X, 122);  // 122.5 -> 122
    EXPECT_EQ(m.Step(101, 1000, 2).X, 124);  // 123.5 -> 124
    EXPECT_EQ(m.Step(101, 1000, 6).X, 78);   // 78.5 -> 78
    EXPECT_EQ(m.Step(100, 1000, 6).X, 78);   // 77.5 -> 78
    EXPECT_EQ(m.Step(1000, 101, 4).Y, 124);
    EXPECT_EQ(m.Step(1000, 101, 0).Y, 78);
    const PlaneState& d = m.Step(100, 100, 3);  // 22.5 / 1.42 = 15.85
    EXPECT_EQ(d.X, 116);
    EXPECT_EQ(d.Y, 116);
}

TEST(StepAircraft, DiagonalStepIsTheStraightStepOverOnePointFourTwo)
{
    Mover m(10, 30);  // D = 450, d = 316.90 (not 318.2 for the square root of two)
    const PlaneState& p = m.Step(1000, 1000, 5);
    EXPECT_EQ(p.X, 683);
    EXPECT_EQ(p.Y, 1317);
}

TEST(StepAircraft, PositionsSaturateInsteadOfWrapping)
{
    Mover m(10, 30);
    m.t.settings.FlightMode = 1;
    m.t.flight.Planes[0].Mode = 1;  // a program aircraft may fly far out
    m.t.flight.FlightPrograms[0] = "9";
    const PlaneState& p = m.Step(32700, -32700, 1);
    EXPECT_EQ(p.X, 32767);
    EXPECT_EQ(p.Y, -32768);
}

TEST(StepAircraft, EdgeMarginIsOneSpriteEdgeInclusive)
{
    struct Case {
        int16_t x, y, dir;  // position after the move is the one tested
        bool inside;
    };
    // 640 x 480, Scale 1: inside while -45 <= X <= 685 and -45 <= Y <= 525.
    const Case cases[] = {
        {-34, 200, 6, true}, {-35, 200, 6, false}, {674, 200, 2, true}, {675, 200, 2, false},
        {300, -34, 0, true}, {300, -35, 0, false}, {300, 514, 4, true}, {300, 515, 4, false},
    };
    for (const Case& c : cases) {
        TestFlight t;
        t.settings.BlueCount = 1;
        PlaneState& p = t.Place(0, c.x, c.y, c.dir, 1, 2);
        p.Smoke = 1;
        AgeingCanvas canvas;
        StepAircraft(t.flight, canvas);
        EXPECT_EQ(p.Active, c.inside ? 1 : 0) << c.x << "," << c.y;
        EXPECT_EQ(p.Smoke, c.inside ? 1 : 0) << c.x << "," << c.y;
    }
}

TEST(StepAircraft, OnlyProgramFlightInFormationFlightSurvivesLeaving)
{
    struct Case {
        int16_t flightMode, mode;
        bool kept;
    };
    const Case cases[] = {{1, 1, true}, {1, 0, false}, {0, 1, false}, {2, 1, false}};
    for (const Case& c : cases) {
        TestFlight t;
        t.settings.BlueCount = 1;
        t.settings.FlightMode = c.flightMode;
        t.flight.FlightPrograms[0] = "9";
        PlaneState& p = t.Place(0, -100, 200, 6, 1, c.mode);
        p.Wait = 50;
        AgeingCanvas canvas;
        StepAircraft(t.flight, canvas);
        EXPECT_EQ(p.Active, c.kept ? 1 : 0) << c.flightMode << "/" << c.mode;
        StepAircraft(t.flight, canvas);
        EXPECT_EQ(p.X, -122) << "a retired aircraft keeps flying until relaunched";
    }
}

TEST(StepAircraft, CallsTheCanvasInFrameOrderForVisibleAircraftOnly)
{
    TestFlight t;
    t.settings.BlueCount = 3;
    t.settings.SmokeMode = 1;
    t.flight.FlightPrograms[0] = "R";
    t.Place(0, 100, 100, 2, 1, 1);  // turns this frame, after it is drawn
    t.Place(1, 200, 100, 2, 1, 2).Delay = 2;
    t.Place(2, 300, 100, 4, 1, 2);
    t.Place(3, 400, 100, 4, 1, 2);  // beyond "number of blue"
    RecordingCanvas canvas;
    StepAircraft(t.flight, canvas);
    const std::vector<RecordingCanvas::Entry> expected = {
        {Call::CopyBackground, -1, 0, 0, 0}, {Call::DrawSmoke, -1, 0, 0, 0}, {Call::DrawSprite, 0, 111, 100, 2},
        {Call::DrawSprite, 2, 300, 111, 4},  {Call::Present, -1, 0, 0, 0},
    };
    EXPECT_EQ(canvas.calls, expected);
    EXPECT_EQ(t.flight.Planes[0].Dir, 3);
    EXPECT_EQ(t.flight.Planes[1].Delay, 1);
    EXPECT_EQ(t.flight.Planes[3].X, 400);

    t.settings.SmokeMode = 0;
    canvas.calls.clear();
    StepAircraft(t.flight, canvas);
    EXPECT_EQ(canvas.calls.size(), 4u);  // no smoke drawing, aircraft 1 still waiting
    EXPECT_EQ(canvas.SpritesDrawn(1), 0);
}

TEST(StepAircraft, DelayOfThreeFreezesThreeFramesAndShowsInTheFourth)
{
    TestFlight t;
    t.settings.BlueCount = 1;
    PlaneState& p = t.Place(0, 100, 100, 2, 1, 2);
    p.Delay = 3;
    p.OldX = 7;
    RecordingCanvas canvas;
    for (int frame = 1; frame <= 3; ++frame) {
        StepAircraft(t.flight, canvas);
        EXPECT_EQ(p.X, 100) << frame;
        EXPECT_EQ(p.OldX, 7) << frame;
        EXPECT_EQ(canvas.SpritesDrawn(0), 0) << frame;
    }
    StepAircraft(t.flight, canvas);
    EXPECT_EQ(canvas.SpritesDrawn(0), 1);
    EXPECT_EQ(p.X, 111);
    EXPECT_EQ(p.OldX, 111);
}

TEST(StepAircraft, NumberOfBlueBeyondTheRecordsIsLimited)
{
    for (int16_t n : {int16_t(150), int16_t(32767), int16_t(-3)}) {
        TestFlight t;
        t.settings.BlueCount = n;
        for (int i = 0; i < PlaneCount; ++i)
            t.Place(i, 300, 200, 2, 1, 2);
        RecordingCanvas canvas;
        StepAircraft(t.flight, canvas);
        int drawn = 0;
        for (int i = 0; i < PlaneCount; ++i)
            drawn += canvas.SpritesDrawn(i);
        EXPECT_EQ(drawn, n < 0 ? 0 : PlaneCount) << n;
    }
}
