#include "FormationLaunch.h"
#include "Formations.h"
#include "LaunchAircraft.h"
#include "Numbers.h"
#include "StartFlightModel.h"
#include "StepAircraft.h"
#include "TestFlight.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>

namespace {

// The draws a formation launch starts with: formation, r, side (where there is one).
struct Opening {
    int formation;
    int r;
    int side;  // -1 where the formation has no side draw
};

Opening DrawOpening(RandomSource& rnd, int width)
{
    Opening o;
    o.formation = static_cast<int>(Int(rnd.Rnd() * 5 + 1));
    o.r = static_cast<int>(Int(rnd.Rnd() * (1 + (width >= 1024) + (width >= 1600))));
    o.side = -1;
    if (o.formation == 1)
        o.side = static_cast<int>(Int(rnd.Rnd() * 3));
    else if (o.formation == 2)
        o.side = static_cast<int>(Int(rnd.Rnd() * 2));
    return o;
}

// A formation flight launched from the first seed whose opening draws are the wanted
// ones; twin continues the same random sequence for the reference point.
struct Launched {
    Launched(int formation, int side, int r, int16_t width = 640, int16_t height = 480)
    {
        for (uint64_t seed = 1;; ++seed) {
            RandomSource probe(seed);
            const Opening o = DrawOpening(probe, width);
            if (o.formation == formation && o.side == side && o.r == r) {
                t = std::make_unique<TestFlight>(width, height, seed);
                twin = RandomSource(seed);
                DrawOpening(twin, width);
                break;
            }
        }
        t->settings.FlightMode = 1;
        StartFlightModel(t->flight);
        LaunchAircraft(t->flight);
    }
    const PlaneState& operator[](int i) const { return t->flight.Planes[i]; }
    std::unique_ptr<TestFlight> t;
    RandomSource twin;
};

int16_t Unit() { return 4; }  // default "step of blue" 27

}  // namespace

TEST(FormationLaunch, FormationOneFromTheLeftStacksItsMembersVertically)
{
    Launched l(1, 2, 0);
    const double h = 480;
    const int16_t y0 = CInt(Int(l.twin.Rnd() * h / 3) + 2 * (h / 3));
    EXPECT_EQ(l.t->settings.BlueCount, 4);
    const int16_t dy[] = {32, 0, -32, -64};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(l[i].X, -45) << i;
        EXPECT_EQ(l[i].Y, y0 + dy[i]) << i;
        EXPECT_EQ(l[i].Dir, 2) << i;
        EXPECT_EQ(l[i].Prog, 7 + i) << i;
        EXPECT_EQ(l[i].Delay, Unit() * i) << i;
        EXPECT_EQ(l[i].Wait, Unit()) << i;
        EXPECT_EQ(l[i].Scale, 1);
        EXPECT_EQ(l[i].Mode, 1);
        EXPECT_EQ(l[i].Pos, 1);
        EXPECT_EQ(l[i].Active, 1);
        EXPECT_EQ(l[i].Smoke, 0);
        EXPECT_EQ(l[i].OldY, l[i].Y);
    }
    EXPECT_GE(y0, 320);
    EXPECT_LT(y0, 480);
}

TEST(FormationLaunch, FormationOneFromBottomAndTop)
{
    Launched bottom(1, 0, 0);
    const int16_t x0 = CInt(Int(bottom.twin.Rnd() * 640 / 2) + 640 / 2);
    Launched top(1, 1, 0);
    const double tx0 = Int(top.twin.Rnd() * 640 / 3);
    const int16_t dx[] = {32, 0, -32, -64};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(bottom[i].X, x0 + dx[i]) << i;
        EXPECT_EQ(bottom[i].Y, 524) << i;
        EXPECT_EQ(bottom[i].Dir, 0) << i;
        EXPECT_EQ(top[i].X, tx0 - dx[i]) << i;  // mirrored: the formation flies down
        EXPECT_EQ(top[i].Y, -45) << i;
        EXPECT_EQ(top[i].Dir, 4) << i;
    }
}

// Formation 0 is never drawn, but the table keeps it whole; send it directly.
TEST(FormationLaunch, FormationZeroEntersFromBottomOrTopWithItsWingmenAhead)
{
    for (int side : {0, 1}) {
        uint64_t seed = 1;
        for (;; ++seed) {
            RandomSource probe(seed);
            probe.Rnd();  // r
            if (Int(probe.Rnd() * 2) == side)
                break;
        }
        TestFlight t(640, 480, seed);
        BuildFormations(t.flight);
        RandomSource twin(seed);
        twin.Rnd();
        twin.Rnd();
        SendFormation(t.flight, 0);
        const double x0 = CInt(Int(twin.Rnd() * 640 / 2) + 640.0 / (side == 0 ? 5 : 3));
        const int16_t dx[] = {0, -32, 32, -64, 0, 64};
        const int16_t delay[] = {0, 4, 5, 9, 10, 10};
        ASSERT_EQ(t.settings.BlueCount, 6);
        for (int i = 0; i < 6; ++i) {
            const PlaneState& p = t.flight.Planes[i];
            EXPECT_EQ(p.X, side == 0 ? x0 + dx[i] : x0 - dx[i]) << side << "/" << i;
            EXPECT_EQ(p.Dir, side == 0 ? 0 : 4);
            EXPECT_EQ(p.Prog, i == 0 ? 5 : 6);
            EXPECT_EQ(p.Delay, delay[i]) << i;
            EXPECT_EQ(p.Wait, Unit());
            if (i > 0) {  // each wingman a tenth of a unit further ahead along the track
                const int ahead = side == 0 ? t.flight.Planes[i - 1].Y - p.Y : p.Y - t.flight.Planes[i - 1].Y;
                EXPECT_GE(ahead, 4) << side << "/" << i;
                EXPECT_LE(ahead, 5) << side << "/" << i;
            }
        }
        EXPECT_EQ(t.flight.Planes[0].Y, side == 0 ? 524 : -45);
    }
}

TEST(FormationLaunch, FormationTwoWaitsByItsSizeOnlyFromTheBottom)
{
    const int16_t u = Unit();
    EXPECT_EQ(Launched(2, 0, 0, 640)[0].Wait, 2 * u);
    EXPECT_EQ(Launched(2, 0, 1, 1024)[3].Wait, u);
    Launched top(2, 1, 2, 1600);
    const int16_t topX0 = CInt(Int(top.twin.Rnd() * 1600.0 / 6) + (1600.0 / 12) * 5);
    EXPECT_EQ(top[4].Wait, u);
    EXPECT_EQ(top[4].X, topX0 - 192);  // mirrored: the formation flies down
    EXPECT_EQ(top[4].Y, -135);
    EXPECT_EQ(top[4].Dir, 4);

    Launched l(2, 0, 2, 1600, 1200);  // r = 2: members read their first character at once
    const double w = 1600;
    const int16_t x0 = CInt(Int(l.twin.Rnd() * w / 6) + (w / 12) * 5);
    const int16_t dx[] = {0, -96, 96, -192, 192};  // 0.71 and 1.42 of 135 px
    const int16_t delay[] = {0, 4, 4, 8, 8};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(l[i].Wait, 0) << i;
        EXPECT_EQ(l[i].Scale, 3) << i;
        EXPECT_EQ(l[i].X, x0 + dx[i]) << i;
        EXPECT_EQ(l[i].Y, 1199 + 135) << i;
        EXPECT_EQ(l[i].Delay, delay[i]) << i;
        EXPECT_EQ(l[i].Prog, 11 + i) << i;
    }
    RecordingCanvas canvas;
    StepAircraft(l.t->flight, canvas);
    EXPECT_EQ(l[0].Pos, 2) << "first character read in the first visible frame";
}

TEST(FormationLaunch, FormationThreeThirdMemberFollowsSevenUnitsLeftAndTwentyUnitsLate)
{
    Launched l(3, -1, 2, 1920, 1080);
    const double w = 1920;
    const int16_t x0 = CInt(Int(l.twin.Rnd() * w / 6) + (w / 12) * 5);
    EXPECT_EQ(l[0].X, x0);
    EXPECT_EQ(l[1].X, x0);
    EXPECT_EQ(l[2].X, x0 - 7 * 45);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(l[i].Y, 1079 + 45) << i;
        EXPECT_EQ(l[i].Scale, 1) << "r never enlarges formation 3";
        EXPECT_EQ(l[i].Wait, 8) << i;
    }
    EXPECT_EQ(l[2].Delay, 80);

    // Fly it as the show does and note the frame and place each member first appears.
    RecordingCanvas canvas;
    int firstFrame[3] = {0, 0, 0};
    RecordingCanvas::Entry firstDraw[3]{};
    for (int frame = 1; frame <= 90; ++frame) {
        canvas.calls.clear();
        LaunchAircraft(l.t->flight);
        StepAircraft(l.t->flight, canvas);
        for (const auto& e : canvas.calls) {
            if (e.call == RecordingCanvas::Call::DrawSprite && firstFrame[e.i] == 0) {
                firstFrame[e.i] = frame;
                firstDraw[e.i] = e;
            }
        }
    }
    EXPECT_EQ(firstFrame[0], 1);
    EXPECT_EQ(firstFrame[1], 1 + Unit());
    EXPECT_EQ(firstFrame[2], 1 + 20 * Unit());
    EXPECT_EQ(firstDraw[1].x, firstDraw[0].x);
    EXPECT_EQ(firstDraw[1].y, firstDraw[0].y);
    EXPECT_EQ(firstDraw[2].x, x0 - 315);
    EXPECT_EQ(firstDraw[2].y, 1124 - 11);
}

TEST(FormationLaunch, FormationFourLinesUpAtSizeOne)
{
    Launched l(4, -1, 1, 1024, 768);
    const double x0 = Int(l.twin.Rnd() * 1024.0 / 6);
    const int16_t dx[] = {45, 315, 585, 855, 18};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(l[i].X, x0 + dx[i]) << i;
        EXPECT_EQ(l[i].Y, i < 4 ? 812 : 826) << i;  // 812 + 13.5 rounds to even
        EXPECT_EQ(l[i].Scale, 1) << i;
        EXPECT_EQ(l[i].Wait, Unit()) << i;
        EXPECT_EQ(l[i].Delay, 0) << i;
        EXPECT_EQ(l[i].Prog, 19 + i) << i;
    }
    // 0.3 x 45 is 13.5 in single precision, so 763 + 13.5 goes to even too.
    Launched odd(4, -1, 1, 1279, 719);
    EXPECT_EQ(odd[4].Y, 776);
}

TEST(FormationLaunch, FormationFiveEntersLikeTwoButWaitsTwoUnits)
{
    Launched l(5, -1, 0);
    const int16_t x0 = CInt(Int(l.twin.Rnd() * 640.0 / 6) + (640.0 / 12) * 5);
    const int16_t dx[] = {0, -32, 32, -64, 64};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(l[i].X, x0 + dx[i]) << i;
        EXPECT_EQ(l[i].Y, 524) << i;
        EXPECT_EQ(l[i].Wait, 2 * Unit()) << i;
        EXPECT_EQ(l[i].Prog, 24 + i) << i;
    }
}

TEST(FormationLaunch, SizeStepDependsOnScreenWidthAndIsSharedByTheFormation)
{
    struct Case {
        int16_t width;
        std::set<int> scales;
    };
    const Case cases[] = {{1023, {1}}, {1024, {1, 2}}, {1599, {1, 2}}, {1600, {1, 2, 3}}, {1920, {1, 2, 3}}};
    for (const Case& c : cases) {
        std::set<int> seen;
        for (uint64_t seed = 1; seed <= 300; ++seed) {
            TestFlight t(c.width, 1000, seed);
            t.settings.FlightMode = 1;
            StartFlightModel(t.flight);
            LaunchAircraft(t.flight);
            const int prog = t.flight.Planes[0].Prog;
            for (int i = 0; i < t.settings.BlueCount; ++i) {
                const int scale = t.flight.Planes[i].Scale;
                ASSERT_EQ(scale, t.flight.Planes[0].Scale);
                if (prog >= 16)
                    ASSERT_EQ(scale, 1) << "formations 3 to 5 always fly at size 1";
                else
                    seen.insert(scale);
            }
        }
        EXPECT_EQ(seen, c.scales) << c.width;
    }
}

TEST(FormationLaunch, NumberOfBlueFollowsEachFormation)
{
    std::set<int> formations;
    for (uint64_t seed = 1; seed <= 60; ++seed) {
        TestFlight t(640, 480, seed);
        t.settings.FlightMode = 1;
        t.settings.BlueCount = 150;
        StartFlightModel(t.flight);
        LaunchAircraft(t.flight);
        const int expectedCount[] = {0, 0, 0, 0, 0, 0, 0, 4, 0, 0, 0, 5, 0, 0, 0, 0, 3, 0, 0, 5, 0, 0, 0, 0, 5};
        const int prog = t.flight.Planes[0].Prog;
        ASSERT_TRUE(prog == 7 || prog == 11 || prog == 16 || prog == 19 || prog == 24) << prog;
        formations.insert(prog);
        EXPECT_EQ(t.settings.BlueCount, expectedCount[prog]);
        EXPECT_EQ(t.flight.FormationFlying, 1);
    }
    EXPECT_EQ(formations.size(), 5u) << "formation 0 is never drawn, 1..5 all are";
}

TEST(FormationLaunch, RetiredMembersAreFrozenUntilTheWholeFormationHasGone)
{
    Launched l(5, -1, 0);
    Flight& f = l.t->flight;
    f.Planes[1].Active = 0;
    f.Planes[3].Active = 0;
    LaunchAircraft(f);
    EXPECT_EQ(f.FormationFlying, 1);
    EXPECT_EQ(f.Planes[1].Delay, 1);
    EXPECT_EQ(f.Planes[3].Delay, 1);
    EXPECT_EQ(f.Planes[2].Delay, 4) << "active members keep their delay";

    for (int i = 0; i < 5; ++i)
        f.Planes[i].Active = 0;
    LaunchAircraft(f);
    EXPECT_EQ(f.FormationFlying, 0);
    EXPECT_EQ(f.Planes[0].Delay, 1);
    LaunchAircraft(f);
    EXPECT_EQ(f.FormationFlying, 1);
    EXPECT_EQ(f.Planes[0].Active, 1);
}

TEST(FormationLaunch, FormationLeavesAndTheNextOneComes)
{
    TestFlight t(640, 480, 9);
    t.settings.FlightMode = 1;
    StartFlightModel(t.flight);
    AgeingCanvas canvas;
    int launches = 0;
    int16_t flying = 0;
    for (int frame = 0; frame < 20000; ++frame) {
        LaunchAircraft(t.flight);
        launches += (flying == 0 && t.flight.FormationFlying == 1);
        flying = t.flight.FormationFlying;
        StepAircraft(t.flight, canvas);
    }
    EXPECT_GE(launches, 5) << "every formation ends and makes room for the next";
}
