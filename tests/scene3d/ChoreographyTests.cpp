#include "TestShow.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct StateVisit {
    int16_t State;
    int Frames;
};

// Runs frames and lists the states in force with the number of frames each lasted.
std::vector<StateVisit> Visits(TestShow& t, int frames)
{
    std::vector<StateVisit> visits;
    for (int f = 0; f < frames; ++f) {
        t.show.StepShow3D();
        if (visits.empty() || visits.back().State != t.show.ShowState)
            visits.push_back({t.show.ShowState, 0});
        ++visits.back().Frames;
    }
    visits.pop_back();  // the last one may be cut short
    return visits;
}

}  // namespace

TEST(Choreography, TheFirstFrameEntersState1AndDrawsACamera)
{
    TestShow t;
    t.show.StepShow3D();
    EXPECT_EQ(t.show.ShowState, 1);
    EXPECT_EQ(t.show.StateTimer, 25);
    EXPECT_GE(t.show.CameraTimer, 50);
    EXPECT_LE(t.show.CameraTimer, 229);
    EXPECT_GE(t.show.CameraKind, 0);
    EXPECT_LE(t.show.CameraKind, 7);
}

TEST(Choreography, EveryStateLastsItsLengthAndLeadsToItsSuccessor)
{
    TestShow t(11);
    const std::vector<StateVisit> visits = Visits(t, 12000);
    ASSERT_GT(visits.size(), 40u);
    const int16_t lengths[] = {60, 25, 360, 90, 360, 25, 15, 30, 15};
    bool sawRoll = false, sawStraight = false;
    for (size_t v = 0; v < visits.size(); ++v) {
        EXPECT_EQ(visits[v].Frames, lengths[visits[v].State]) << "visit " << v << " of state " << visits[v].State;
        EXPECT_EQ(ShowStateLength(visits[v].State), lengths[visits[v].State]);
        if (v + 1 == visits.size())
            break;
        const int16_t next = visits[v + 1].State;
        switch (visits[v].State) {
        case 5:
            EXPECT_TRUE(next == 6 || next == 0);
            sawRoll |= next == 6;
            sawStraight |= next == 0;
            break;
        case 8: EXPECT_EQ(next, 1); break;
        case 0: EXPECT_EQ(next, 1); break;
        default: EXPECT_EQ(next, visits[v].State + 1); break;
        }
    }
    EXPECT_EQ(visits.front().State, 1);
    EXPECT_TRUE(sawRoll);
    EXPECT_TRUE(sawStraight);
}

TEST(Choreography, State5ChoosesItsSuccessorByTheFirstDrawOfTheFrame)
{
    TestShow t(3);
    int decided = 0;
    for (int f = 0; f < 20000 && decided < 12; ++f) {
        if (t.show.ShowState == 5 && t.show.StateTimer == 1) {
            RandomSource copy = t.flight.Random;
            const int16_t expected = copy.Rnd() <= 0.5 ? 6 : 0;
            t.show.StepShow3D();
            EXPECT_EQ(t.show.ShowState, expected);
            ++decided;
        } else {
            t.show.StepShow3D();
        }
    }
    EXPECT_EQ(decided, 12);
}

TEST(Choreography, TheCameraIsRedrawnWhenItsTimerRunsOutAndLooksAtItsAircraft)
{
    TestShow t(5);
    int draws = 0;
    for (int f = 0; f < 3000; ++f) {
        const int16_t before = t.show.CameraTimer;
        t.show.StepShow3D();
        if (before == 0) {
            ++draws;
            EXPECT_GE(t.show.CameraTimer, 50);
            EXPECT_LE(t.show.CameraTimer, 229);
            EXPECT_GE(t.show.CamDX, -100);
            EXPECT_LE(t.show.CamDX, 100);
            EXPECT_GE(t.show.CamDY, -50);
            EXPECT_LE(t.show.CamDY, 50);
            EXPECT_GE(t.show.CamDZ, -50);
            EXPECT_LE(t.show.CamDZ, 50);
        } else {
            EXPECT_EQ(t.show.CameraTimer, before - 1);
        }
    }
    EXPECT_GT(draws, 10);
}

TEST(Choreography, TheCameraSitsWhereItsTableSaysAndLooksAtItsAircraft)
{
    TestShow t(9);
    const Frame& scene = t.show.Scene();
    const Frame* reference[] = {&scene, &scene, &t.show.Plane(0), &scene, &scene, &t.show.Plane(0), &scene,
                                &t.show.Plane(5)};
    const int target[] = {0, 1, 0, 0, 0, 0, 3, 5};
    std::array<int, 8> seen{};
    for (int f = 0; f < 8000; ++f) {
        // The camera is placed before the frame's move, against where the aircraft were.
        std::array<Affine, 8> referenceWorld;
        std::array<Vec3, 8> targetAt;
        for (int k = 0; k < 8; ++k) {
            referenceWorld[k] = reference[k]->World();
            targetAt[k] = t.show.Plane(target[k]).World().Translation;
        }
        t.show.StepShow3D();
        const int k = t.show.CameraKind;
        const double dx = t.show.CamDX, dy = t.show.CamDY, dz = t.show.CamDZ;
        const Vec3 wanted[] = {{dx - 90, dy - 160, dz - 100}, {dx - 280, dy + 80, dz + 50}, {dx - 10, dy + 80, dz + 40},
                               {dx - 100, dy - 100, dz - 50}, {dx, dy + 500, dz + 150},     {dx + 15, 15, -50},
                               {280, 80, 50},                 {dx, 5, -30}};
        const Affine camera = t.show.Camera().World();
        const Vec3 expected = Apply(referenceWorld[k], wanted[k]);
        ASSERT_NEAR(Length(camera.Translation - expected), 0, 1e-6) << "kind " << k << " frame " << f;
        ASSERT_NEAR(Dot(Normalized(targetAt[k] - camera.Translation), camera.Linear.Row[2]), 1, 1e-9) << k;
        ASSERT_NEAR(camera.Linear.Row[0].Y, 0, 1e-9) << k;
        ++seen[k];
    }
    for (int k = 0; k < 8; ++k)
        EXPECT_GT(seen[k], 0) << "kind " << k;
}

TEST(Choreography, TheFormationStaysInViewOfEveryCameraForAnHour)
{
    // Each pass leaves the formation about 30 units further on; 200,000 frames are some
    // 217 passes, far beyond the back plane of a camera that stayed where it started.
    TestShow t(3);
    for (int f = 0; f < 200000; ++f) {
        t.show.StepShow3D();
        if (f % 5 != 0)
            continue;
        const int16_t drawn = t.show.CameraKind;
        for (int16_t k = 0; k < 8; ++k) {
            t.show.CameraKind = k;
            t.show.PlaceCamera();
            const Vec3 eye = t.show.Camera().World().Translation;
            for (int j = 0; j < Show3D::PlaneCount; ++j)
                ASSERT_LT(Length(t.show.Plane(j).World().Translation - eye), Show3D::BackClip)
                    << "camera kind " << k << ", aircraft " << j << ", frame " << f;
        }
        t.show.CameraKind = drawn;
        t.show.PlaceCamera();
    }
}
