#include "TestShow.h"

#include <gtest/gtest.h>

namespace {

// The fade stage a holder shows, or -1 when it shows none; more than one is an error.
int StageOf(const Show3D& show, const Frame& holder)
{
    int stage = -1;
    for (const Visual& v : holder.Visuals()) {
        for (int k = 0; k < Show3D::FadeStages; ++k) {
            if (v.FrameVisual == &show.PuffStage(k)) {
                EXPECT_EQ(stage, -1) << "two stages on one holder";
                stage = k;
            }
        }
    }
    return stage;
}

}  // namespace

TEST(Puffs, SixAppearWheneverTheStateTimerIsAMultipleOfThree)
{
    TestShow t;
    int16_t state = -1;
    int framesInState = 0;
    for (int f = 0; f < 480; ++f) {  // no puff is freed before frame 500
        const int before = t.UsedPuffs();
        t.show.StepShow3D();
        framesInState = t.show.ShowState == state ? framesInState + 1 : 0;
        state = t.show.ShowState;
        const bool smoke = t.show.StateTimer % 3 == 0;
        EXPECT_EQ(t.UsedPuffs() - before, smoke ? 6 : 0) << "frame " << f << " timer " << t.show.StateTimer;
        // The rhythm counts within the state: state 2 (360 frames) smokes on its first frame.
        if (framesInState == 0 && state == 2) {
            EXPECT_TRUE(smoke);
        }
        if (framesInState == 0 && state == 1) {
            EXPECT_FALSE(smoke);  // 25 frames: the first puffs come at timer 24
        }
    }
}

TEST(Puffs, AreEmittedBehindTheAircraftAlongItsPathWithNoWidth)
{
    TestShow t;
    t.show.StepShow3D();  // timer 25: no smoke; the leader flies straight to (0, 0, -1.5)
    t.show.StepShow3D();  // timer 24: the first six puffs, slot j from aircraft j
    ASSERT_EQ(t.UsedPuffs(), 6);
    const Frame& scene = t.show.Scene();
    const Vec3 first = t.show.PuffFrame(0).Position(&scene);
    EXPECT_NEAR(first.X, -0.77, 1e-9);
    EXPECT_NEAR(first.Y, -0.5, 1e-9);
    EXPECT_NEAR(first.Z, -1.5 + 5.2, 1e-9);
    // Its z axis follows the aircraft's; the spin only turns it about that axis.
    const Vec3 z = t.show.PuffFrame(0).World().Linear.Row[2];
    EXPECT_NEAR(z.Z, 1, 1e-9);
    const double spin = t.show.PuffFrame(0).RotationAngle();
    EXPECT_LE(spin, 0);
    EXPECT_GE(spin, Radians(-120));

    for (int j = 0; j < 6; ++j) {
        EXPECT_EQ(t.flight.SmokePoints[j].Scale, 1);
        EXPECT_EQ(t.flight.SmokePoints[j].Age, 1);
        const Mat3& scale = t.show.PuffHolder(j).Local().Linear;
        EXPECT_EQ(scale.Row[0].X, 0);
        EXPECT_EQ(scale.Row[1].Y, 0);
        EXPECT_DOUBLE_EQ(scale.Row[2].Z, 1.2);
        EXPECT_EQ(StageOf(t.show, t.show.PuffHolder(j)), 0);
        EXPECT_TRUE(t.show.PuffFrame(j).HasVisual({nullptr, &t.show.PuffHolder(j)}));
    }
}

TEST(Puffs, GrowFadeOverTheLast241FramesAndAreFreedAtAge501)
{
    TestShow t;
    t.show.StepShow3D();
    t.show.StepShow3D();
    const Frame& holder = t.show.PuffHolder(0);
    const Frame& frame = t.show.PuffFrame(0);
    const SmokePoint& puff = t.flight.SmokePoints[0];
    int stageSteps = 0, lastStage = 0;
    while (puff.Used == 1) {
        const int d = puff.Age - 1;  // the age this frame's update worked with
        const double x = holder.Local().Linear.Row[0].X;
        if (d <= 12) {
            EXPECT_NEAR(x, d / 10.0, 1e-12) << d;
        } else {
            EXPECT_NEAR(x, ((d / 500.0) * (d / 500.0) + 1) * 1.5, 1e-12) << d;
            const double spin = frame.RotationAngle();
            if (d > 259) {
                EXPECT_LE(std::fabs(spin), Radians(2)) << d;
            } else if (d < 35) {
                EXPECT_GE(spin, Radians(-30)) << d;
            }
        }
        const int stage = StageOf(t.show, holder);
        EXPECT_EQ(stage, d < 260 ? 0 : 1 + (d - 260) / 5) << "age " << d;
        stageSteps += stage != lastStage;
        lastStage = stage;
        t.show.StepShow3D();
    }
    EXPECT_EQ(puff.Age, 501);
    EXPECT_EQ(lastStage, 48);  // stage 49 (alpha 0) is put on and taken off in the freeing frame
    EXPECT_EQ(stageSteps, 48);
    EXPECT_TRUE(holder.Visuals().empty());
    EXPECT_TRUE(frame.Visuals().empty());
    EXPECT_TRUE(t.show.PuffStage(49).Visuals().size() == 1);
}

TEST(Puffs, FadeStagesRunFromAlpha08ToClearAndShareOneMeshEach)
{
    TestShow t;
    for (int k = 0; k < Show3D::FadeStages; ++k) {
        const auto& visuals = t.show.PuffStage(k).Visuals();
        ASSERT_EQ(visuals.size(), 1u);
        ASSERT_NE(visuals[0].MeshVisual, nullptr);
        EXPECT_NEAR(visuals[0].MeshVisual->Materials.at(0).Colour[3], 0.8 - k * 0.8 / 49, 1e-6) << k;
        EXPECT_EQ(visuals[0].MeshVisual->Geometry, t.show.PuffStage(0).Visuals()[0].MeshVisual->Geometry);
    }
    // Every aircraft shows the one model frame.
    const Visual model = t.show.Plane(0).Visuals().at(0);
    for (int j = 1; j < Show3D::PlaneCount; ++j)
        EXPECT_EQ(t.show.Plane(j).Visuals().at(0), model);
}

TEST(Puffs, AFullPoolEmitsNothingAndDrawsNothingForIt)
{
    TestShow t;
    t.show.StepShow3D();
    for (int i = 0; i < SmokeSlotsUsed; ++i) {
        t.flight.SmokePoints[i].Used = 1;
        t.flight.SmokePoints[i].Scale = 1;
        t.flight.SmokePoints[i].Age = 0;  // young: ageing draws no random number
    }
    ASSERT_EQ(t.show.StateTimer, 25);
    RandomSource copy = t.flight.Random;
    t.show.StepShow3D();  // timer 24: smoke is due
    for (int i = 0; i < Show3D::PuffSlots; ++i)
        EXPECT_TRUE(t.show.PuffFrame(i).Visuals().empty()) << i;
    EXPECT_EQ(t.flight.SmokePoints[SmokeSlotsUsed].Used, 0);
    EXPECT_EQ(t.flight.Random.Rnd(), copy.Rnd());  // no spin was drawn for a puff
}
