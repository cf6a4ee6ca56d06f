#include "FlightRecords.h"
#include "SpriteGeometry.h"

#include <gtest/gtest.h>

namespace {

PlaneState Plane(int x, int y, int dir, int scale)
{
    PlaneState p;
    p.X = static_cast<int16_t>(x);
    p.Y = static_cast<int16_t>(y);
    p.Dir = static_cast<int16_t>(dir);
    p.Scale = static_cast<int16_t>(scale);
    return p;
}

}  // namespace

TEST(SpriteGeometry, SquareMovesHalfAnEdgeAheadOfTheReferencePoint)
{
    const SpriteRects right = SpriteGeometry(Plane(100, 100, 2, 2), 400, 640, 480);
    EXPECT_EQ(right.Destination, (Rect{100, 55, 190, 145}));
    EXPECT_EQ(right.Source, (Rect{0, 0, 399, 399}));
    EXPECT_EQ(right.DrawnWidth, 90);
    EXPECT_EQ(right.DrawnHeight, 90);

    // Diagonal: 0.71 of the half edge each way, 86.95 and 23.05 rounded.
    EXPECT_EQ(SpriteGeometry(Plane(100, 100, 1, 2), 400, 640, 480).Destination, (Rect{87, 23, 177, 113}));
    EXPECT_EQ(SpriteGeometry(Plane(100, 100, 0, 2), 400, 640, 480).Destination, (Rect{55, 10, 145, 100}));
    EXPECT_EQ(SpriteGeometry(Plane(100, 100, 4, 2), 400, 640, 480).Destination, (Rect{55, 100, 145, 190}));
    EXPECT_EQ(SpriteGeometry(Plane(100, 100, 6, 2), 400, 640, 480).Destination, (Rect{10, 55, 100, 145}));
}

TEST(SpriteGeometry, SourceLeavesOutTheLastRowAndColumnOfEveryCellSize)
{
    EXPECT_EQ(SpriteGeometry(Plane(300, 200, 3, 1), 400, 640, 480).Source, (Rect{0, 0, 399, 399}));
    EXPECT_EQ(SpriteGeometry(Plane(300, 200, 3, 1), 180, 640, 480).Source, (Rect{0, 0, 179, 179}));
    EXPECT_EQ(SpriteGeometry(Plane(300, 200, 3, 1), 400, 640, 480).Destination.Width(), 45);
}

TEST(SpriteGeometry, HalvesRoundToEvenSoTheDrawnWidthFollowsParity)
{
    // Heading 0, size 1: left = X - 22.5. 77.5 -> 78 and 122.5 -> 122; 78.5 -> 78 and 123.5 -> 124.
    EXPECT_EQ(SpriteGeometry(Plane(100, 100, 0, 1), 400, 640, 480).Destination, (Rect{78, 55, 122, 100}));
    EXPECT_EQ(SpriteGeometry(Plane(101, 100, 0, 1), 400, 640, 480).Destination, (Rect{78, 55, 124, 100}));
}

TEST(SpriteGeometry, LeftAndTopCutsMoveTheSourceByFPerPixel)
{
    // L = -10 with size 1 and N = 240: f = 10 x 240 / 450, source left 53.33.
    const SpriteRects cut = SpriteGeometry(Plane(-10, 100, 2, 1), 240, 640, 480);
    EXPECT_EQ(cut.Destination.Left, 0);
    EXPECT_EQ(cut.Destination.Width(), 35);
    EXPECT_EQ(cut.Source.Left, 53);
    EXPECT_EQ(cut.Source.Right, 239);
    EXPECT_EQ(cut.DrawnWidth, 45);

    const SpriteRects top = SpriteGeometry(Plane(100, -10, 4, 1), 240, 640, 480);
    EXPECT_EQ(top.Destination, (Rect{78, 0, 122, 35}));
    EXPECT_EQ(top.Source, (Rect{0, 53, 239, 239}));
}

TEST(SpriteGeometry, RightCutComparesWithWMinusOneButReachesW)
{
    // Ending exactly at W - 1 = 639: not cut.
    const SpriteRects inside = SpriteGeometry(Plane(594, 100, 2, 1), 400, 640, 480);
    EXPECT_EQ(inside.Destination, (Rect{594, 78, 639, 122}));
    EXPECT_EQ(inside.Source.Right, 399);
    // Ending at W: cut to end at W, same width, and the source loses f = 8.89 pixels.
    const SpriteRects atEdge = SpriteGeometry(Plane(595, 100, 2, 1), 400, 640, 480);
    EXPECT_EQ(atEdge.Destination, (Rect{595, 78, 640, 122}));
    EXPECT_EQ(atEdge.Source.Right, 390);
    // Six pixels past W - 1: 40 pixels left, the source 399 - 6 f.
    const SpriteRects past = SpriteGeometry(Plane(600, 100, 2, 1), 400, 640, 480);
    EXPECT_EQ(past.Destination, (Rect{600, 78, 640, 122}));
    EXPECT_EQ(past.Source.Right, 346);
    // The bottom follows the same rule.
    const SpriteRects bottom = SpriteGeometry(Plane(100, 460, 4, 1), 400, 640, 480);
    EXPECT_EQ(bottom.Destination, (Rect{78, 460, 122, 480}));
    EXPECT_EQ(bottom.Source.Bottom, 168);  // 399 - 26 f = 167.89
}

TEST(SpriteGeometry, SquareWhollyOffScreenLeavesNothingToDraw)
{
    EXPECT_TRUE(SpriteGeometry(Plane(-60, 100, 2, 1), 400, 640, 480).Destination.IsEmpty());
    EXPECT_TRUE(SpriteGeometry(Plane(700, 100, 2, 1), 400, 640, 480).Destination.IsEmpty());
    EXPECT_TRUE(SpriteGeometry(Plane(100, -100, 0, 1), 400, 640, 480).Destination.IsEmpty());
}
