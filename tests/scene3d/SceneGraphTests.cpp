#include "SceneGraph.h"

#include <gtest/gtest.h>

namespace {

void ExpectNear(const Vec3& a, const Vec3& b, double tolerance = 1e-9)
{
    EXPECT_NEAR(a.X, b.X, tolerance);
    EXPECT_NEAR(a.Y, b.Y, tolerance);
    EXPECT_NEAR(a.Z, b.Z, tolerance);
}

}  // namespace

TEST(SceneGraph, TurnsAreClockwiseSeenFromTheAxisAsInALeftHandedSystem)
{
    // A quarter turn about x takes the z axis down and the y axis forward.
    const Mat3 r = RotationAbout(Vec3{1, 0, 0}, Radians(90));
    ExpectNear(Vec3{0, 0, 1} * r, Vec3{0, -1, 0});
    ExpectNear(Vec3{0, 1, 0} * r, Vec3{0, 0, 1});
    // About z: x goes to y.
    ExpectNear(Vec3{1, 0, 0} * RotationAbout(Vec3{0, 0, 1}, Radians(90)), Vec3{0, 1, 0});
    EXPECT_DOUBLE_EQ(Radians(180), 3.14159265358979);
}

TEST(SceneGraph, PositionsAndOrientationsAreRelativeToAnyFrame)
{
    SceneGraph graph;
    Frame* root = graph.CreateFrame(nullptr);
    Frame* a = graph.CreateFrame(root);
    Frame* b = graph.CreateFrame(root);
    a->SetPosition(root, Vec3{10, 0, 0});
    a->SetOrientation(root, Vec3{1, 0, 0}, Vec3{0, 1, 0});  // a looks along +x: its x axis is -z
    b->SetPosition(a, Vec3{1, 2, 3});
    ExpectNear(b->Position(root), Vec3{13, 2, -1});
    ExpectNear(b->Position(a), Vec3{1, 2, 3});

    b->SetOrientation(a, Vec3{0, 0, 1}, Vec3{0, 1, 0});
    ExpectNear(b->World().Linear.Row[2], Vec3{1, 0, 0});
    ExpectNear(b->World().Linear.Row[0], Vec3{0, 0, -1});
}

TEST(SceneGraph, MoveTurnsAndMovesEachFrameInItsOwnAxes)
{
    SceneGraph graph;
    Frame* root = graph.CreateFrame(nullptr);
    Frame* plane = graph.CreateFrame(root);
    plane->SetOrientation(root, Vec3{0, 0, 1}, Vec3{0, 1, 0});
    plane->SetVelocity(Vec3{0, 0, -1.5});
    graph.Move(*root, 1.0);
    ExpectNear(plane->Position(root), Vec3{0, 0, -1.5});

    // Pitching 0.5 degrees a frame while flying along -z flies a loop upward of radius
    // 1.5 / (0.5 degrees in radians): after half of it the aircraft flies back, 2r higher.
    plane->SetRotation(Vec3{1, 0, 0}, Radians(0.5));
    for (int i = 0; i < 360; ++i)
        graph.Move(*root, 1.0);
    const double r = 1.5 / Radians(0.5);
    EXPECT_NEAR(plane->Position(root).Y, 2 * r, 0.01 * r);
    EXPECT_NEAR(plane->Position(root).Z, -1.5, 0.02 * r);
    ExpectNear(plane->World().Linear.Row[2], Vec3{0, 0, -1}, 1e-9);
}

TEST(SceneGraph, LookAtAimsTheZAxisAndKeepsTheHorizonLevel)
{
    SceneGraph graph;
    Frame* root = graph.CreateFrame(nullptr);
    Frame* camera = graph.CreateFrame(root);
    Frame* target = graph.CreateFrame(root);
    target->SetPosition(root, Vec3{30, 40, 120});
    camera->SetPosition(root, Vec3{-10, 80, 40});
    camera->LookAtConstrainZ(*target);
    const Affine world = camera->World();
    ExpectNear(world.Linear.Row[2], Normalized(Vec3{40, -40, 80}));
    EXPECT_NEAR(world.Linear.Row[0].Y, 0, 1e-12);
    EXPECT_GT(world.Linear.Row[1].Y, 0);
    EXPECT_NEAR(Determinant(world.Linear), 1, 1e-12);
}
