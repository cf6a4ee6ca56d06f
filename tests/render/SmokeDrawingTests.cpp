#include "Flight.h"
#include "RandomSource.h"
#include "SmokeDrawing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

struct Puff {
    int Picture;
    Rect Square;
};

class PuffRecorder : public PuffTarget {
public:
    void DrawPuff(int picture, const Rect& square) override { Puffs.push_back({picture, square}); }
    std::vector<int> Xs() const
    {
        std::vector<int> xs;
        for (const Puff& p : Puffs)
            xs.push_back((p.Square.Left + p.Square.Right) / 2);
        return xs;
    }
    int LowestPicture() const
    {
        int k = 99;
        for (const Puff& p : Puffs)
            k = std::min(k, p.Picture);
        return k;
    }
    int HighestPicture() const
    {
        int k = -1;
        for (const Puff& p : Puffs)
            k = std::max(k, p.Picture);
        return k;
    }
    std::vector<Puff> Puffs;
};

class SmokeDrawingTest : public ::testing::Test {
protected:
    SmokeDrawingTest() { settings.SmokeLength = 150; }

    SmokePoint& Point(int slot, int x1, int y1, int x2, int y2, int age = 0, int scale = 1)
    {
        SmokePoint& p = flight.SmokePoints[static_cast<size_t>(slot)];
        p = SmokePoint{};
        p.X1 = static_cast<int16_t>(x1);
        p.Y1 = static_cast<int16_t>(y1);
        p.X2 = static_cast<int16_t>(x2);
        p.Y2 = static_cast<int16_t>(y2);
        p.Age = static_cast<int16_t>(age);
        p.Scale = static_cast<int16_t>(scale);
        p.Used = 1;
        p.PrevPt = -1;
        p.NextPt = -1;
        return p;
    }

    SaverSettings settings;
    Flight flight{settings, 640, 480, 7};
    PuffRecorder puffs;
};

}  // namespace

TEST_F(SmokeDrawingTest, NewSegmentIsARowOfSmallPuffsEveryQuarterOfItsLength)
{
    Point(0, 100, 100, 111, 100);
    DrawSmoke(flight, puffs);
    ASSERT_EQ(puffs.Puffs.size(), 6u);
    for (size_t i = 0; i < puffs.Puffs.size(); ++i) {
        const int x = 100 + 2 * static_cast<int>(i);
        EXPECT_EQ(puffs.Puffs[i].Square, (Rect{x - 1, 99, x + 1, 101}));
    }
    // New smoke uses the three densest pictures.
    EXPECT_GE(puffs.LowestPicture(), 0);
    EXPECT_LE(puffs.HighestPicture(), 2);
}

TEST_F(SmokeDrawingTest, StepsRoundDownSoNegativeDirectionsTakeLongerSteps)
{
    Point(0, 300, 50, 290, 50);  // dx = -10: Int(-2.5) = -3
    Point(1, 300, 60, 310, 60);  // dx = 10: Int(2.5) = 2
    DrawSmoke(flight, puffs);
    const std::vector<int> xs = puffs.Xs();
    EXPECT_EQ(xs, (std::vector<int>{300, 297, 294, 291, 300, 302, 304, 306, 308, 310}));
}

TEST_F(SmokeDrawingTest, MostlyVerticalSegmentWalksAlongY)
{
    Point(0, 200, 100, 203, 108);  // dy = 8: steps of 2; dx = 3: Int(0.75) = 0, x stays
    DrawSmoke(flight, puffs);
    ASSERT_EQ(puffs.Puffs.size(), 5u);
    for (size_t i = 0; i < 5; ++i)
        EXPECT_EQ(puffs.Puffs[i].Square, (Rect{199, 99 + 2 * int(i), 201, 101 + 2 * int(i)}));
}

TEST_F(SmokeDrawingTest, SegmentOfLengthZeroDrawsOnePuff)
{
    Point(0, 50, 60, 50, 60);
    DrawSmoke(flight, puffs);
    ASSERT_EQ(puffs.Puffs.size(), 1u);
    EXPECT_EQ(puffs.Puffs[0].Square, (Rect{49, 59, 51, 61}));
}

TEST_F(SmokeDrawingTest, OlderSmokeTakesLongerStepsAndBiggerPuffs)
{
    // g = 6, L = 150: r^2 = 0.0016, step Int(12 / 2.9984) = 4, t = 1.30208.
    Point(0, 100, 200, 112, 200, 6);
    DrawSmoke(flight, puffs);
    ASSERT_EQ(puffs.Puffs.size(), 4u);
    EXPECT_EQ(puffs.Puffs[0].Square, (Rect{96, 196, 104, 204}));
    EXPECT_EQ(puffs.Puffs[3].Square, (Rect{108, 196, 116, 204}));
    EXPECT_LE(puffs.HighestPicture(), 2);
}

TEST_F(SmokeDrawingTest, EveryPuffDrawsOneRandomNumberInOrder)
{
    Point(0, 100, 100, 111, 100);
    Point(5, 10, 10, 10, 30, 20);
    DrawSmoke(flight, puffs);
    RandomSource replay(7);
    for (const Puff& p : puffs.Puffs) {
        const double rnd = replay.Rnd();
        const int choices = p.Square.Top == 99 ? 3 : 2;  // the vertical old segment has two
        EXPECT_EQ(p.Picture, static_cast<int>(rnd * choices));
    }
    EXPECT_EQ(flight.Rnd(), replay.Rnd());
}

TEST_F(SmokeDrawingTest, ShortestSmokeFadesFromAgeSix)
{
    // L = 50: L - 60 < 0, so past age 5 the densest picture is never used.
    settings.SmokeLength = 50;
    for (int age = 6; age <= 50; ++age)
        Point(age, 10, 20 + age, 60, 20 + age, age);
    DrawSmoke(flight, puffs);
    EXPECT_EQ(puffs.LowestPicture(), 1);
    EXPECT_EQ(puffs.HighestPicture(), 6);

    // The last 15 frames of a point's life use pictures 4..6 only.
    puffs.Puffs.clear();
    for (int age = 6; age <= 50; ++age)
        Point(age, 10, 20 + age, 60, 20 + age, age > 35 ? age : 36);
    DrawSmoke(flight, puffs);
    EXPECT_EQ(puffs.LowestPicture(), 4);
    EXPECT_EQ(puffs.HighestPicture(), 6);
}

TEST_F(SmokeDrawingTest, PointIsDrawnLengthPlusOneTimesThenFreed)
{
    settings.SmokeLength = 50;
    SmokePoint& p = Point(3, 10, 10, 20, 10);
    p.PrevPt = 2;
    for (int frame = 1; frame <= 51; ++frame) {
        puffs.Puffs.clear();
        DrawSmoke(flight, puffs);
        EXPECT_FALSE(puffs.Puffs.empty()) << "frame " << frame;
        EXPECT_EQ(p.Age, frame);
    }
    EXPECT_EQ(p.Used, 0);
    EXPECT_EQ(p.PrevPt, 2);  // a freed point keeps its links
    puffs.Puffs.clear();
    DrawSmoke(flight, puffs);
    EXPECT_TRUE(puffs.Puffs.empty());
    EXPECT_EQ(p.Age, 51);
}

TEST_F(SmokeDrawingTest, CornerSmoothingNeedsBothNeighboursAndSpreadsOneCountLessEachWay)
{
    // A trail along x that turns down at (30, 0); the segment ending at the corner
    // carries three passes.
    Point(0, 0, 0, 10, 0).NextPt = 1;
    Point(1, 10, 0, 20, 0);
    Point(2, 20, 0, 30, 0);
    Point(3, 30, 0, 30, 10);
    Point(4, 30, 10, 30, 20);
    for (int i = 1; i <= 4; ++i) {
        flight.SmokePoints[static_cast<size_t>(i)].PrevPt = static_cast<int16_t>(i - 1);
        if (i < 4)
            flight.SmokePoints[static_cast<size_t>(i)].NextPt = static_cast<int16_t>(i + 1);
    }
    flight.SmokePoints[2].Smooth = 3;
    auto& s = flight.SmokePoints;

    DrawSmoke(flight, puffs);
    // Slot 2 ends at the midpoint of (20, 0) and (30, 10); slot 3, reached later in the
    // same pass, does the same with one count less; slot 4 has no next and only counts.
    EXPECT_EQ((std::vector<int>{s[2].X2, s[2].Y2, s[3].X1, s[3].Y1}), (std::vector<int>{25, 5, 25, 5}));
    EXPECT_EQ((std::vector<int>{s[3].X2, s[3].Y2, s[4].X1, s[4].Y1}), (std::vector<int>{28, 12, 28, 12}));  // 27.5, 12.5 to even
    EXPECT_EQ((std::vector<int>{s[0].Smooth, s[1].Smooth, s[2].Smooth, s[3].Smooth, s[4].Smooth}),
              (std::vector<int>{0, 2, 1, 1, 0}));
    EXPECT_EQ(s[4].X2, 30);

    DrawSmoke(flight, puffs);
    // Slot 1, lower than slot 2, is reached only in the next frame.
    EXPECT_EQ((std::vector<int>{s[1].X2, s[1].Y2, s[2].X1, s[2].Y1}), (std::vector<int>{18, 2, 18, 2}));
    EXPECT_EQ((std::vector<int>{s[2].X2, s[2].Y2, s[3].X1, s[3].Y1}), (std::vector<int>{23, 7, 23, 7}));
    EXPECT_EQ((std::vector<int>{s[0].Smooth, s[1].Smooth, s[2].Smooth, s[3].Smooth, s[4].Smooth}),
              (std::vector<int>{1, 0, 0, 0, 0}));

    // The first segment has no previous one: its count runs out, its corner stays.
    DrawSmoke(flight, puffs);
    EXPECT_EQ(s[0].Smooth, 0);
    EXPECT_EQ((std::vector<int>{s[0].X2, s[0].Y2}), (std::vector<int>{10, 0}));
}

TEST_F(SmokeDrawingTest, LinksOutsideThePoolCountAsNoNeighbour)
{
    SmokePoint& p = Point(7, 0, 0, 10, 0);
    p.PrevPt = 3000;
    p.NextPt = -7;
    p.Smooth = 2;
    DrawSmoke(flight, puffs);
    EXPECT_EQ(p.Smooth, 1);
    EXPECT_EQ(p.X2, 10);
    EXPECT_EQ(puffs.Puffs.size(), 6u);
}
