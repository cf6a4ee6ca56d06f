#include "DamageStrips.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

constexpr int Width = 1920, Height = 1080, Tile = 8;

bool Covered(const std::vector<Rect>& rects, int x, int y)
{
    for (const Rect& r : rects)
        if (x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom)
            return true;
    return false;
}

}  // namespace

TEST(DamageStrips, AFewMarksAreCoveredExactlyInTheirStrips)
{
    TileMask a(Width, Height, Tile), b(Width, Height, Tile);
    a.Mark(Rect{100, 10, 140, 20});
    b.Mark(Rect{600, 500, 608, 508});
    DamageStrips strips;
    const std::vector<Rect>& rects = strips.Cover(a, b);
    // 135 rows of tiles in ten strips of 14 (112 px), the last one shorter.
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_EQ(rects[0], (Rect{96, 0, 144, 112}));
    EXPECT_EQ(rects[1], (Rect{600, 448, 608, 560}));
}

// The rectangles the compositor redraws for a frame: its own and the last frame's, joined
// strip by strip (rectangles of whole strips never cut one another).
static size_t JoinedCount(std::vector<Rect> rects)
{
    std::sort(rects.begin(), rects.end(),
              [](const Rect& x, const Rect& y) { return x.Top != y.Top ? x.Top < y.Top : x.Left < y.Left; });
    size_t count = 0;
    int right = 0;
    for (size_t i = 0; i < rects.size(); ++i) {
        const bool joins = i > 0 && rects[i].Top == rects[i - 1].Top && rects[i].Left <= right;
        count += !joins;
        right = joins ? std::max(right, rects[i].Right) : rects[i].Right;
    }
    return count;
}

TEST(DamageStrips, ABusyFrameJoinedWithTheLastIsCoveredByFewRectanglesOnTheSameStrips)
{
    std::mt19937 random(7);
    DamageStrips strips;
    std::vector<Rect> last;
    for (int frame = 0; frame < 20; ++frame) {
        TileMask a(Width, Height, Tile), b(Width, Height, Tile);
        for (int i = 0; i < 400; ++i) {
            const int x = static_cast<int>(random() % Width), y = static_cast<int>(random() % Height);
            (i % 2 ? a : b).Mark(Rect{x, y, x + 1 + static_cast<int>(random() % 40), y + 1 + static_cast<int>(random() % 40)});
        }
        const std::vector<Rect>& rects = strips.Cover(a, b);
        ASSERT_LE(rects.size(), static_cast<size_t>(DamageStrips::MostRectangles)) << "frame " << frame;
        for (const Rect& r : rects) {
            // Whole strips high, so that two frames' rectangles never cut each other.
            ASSERT_EQ(r.Top % 112, 0) << "frame " << frame;
            ASSERT_EQ(r.Bottom, std::min(r.Top + 112, Height)) << "frame " << frame;
        }
        bool allCovered = true;
        a.ForEachRun(&b, [&](const Rect& run) {
            for (int x = run.Left; x < run.Right; x += Tile)
                allCovered = allCovered && Covered(rects, x, run.Top);
        });
        ASSERT_TRUE(allCovered) << "a marked tile is left out in frame " << frame;
        std::vector<Rect> both = last;
        both.insert(both.end(), rects.begin(), rects.end());
        ASSERT_LE(JoinedCount(both), static_cast<size_t>(DamageStrips::MostRectangles)) << "frame " << frame;
        last = rects;
    }
}
