#include "JoinedRectangles.h"

#include <gtest/gtest.h>

#include <vector>

// Tiles side by side or a tile apart become one; a tile across the window stays apart;
// every pixel given is still covered, and nothing is covered twice by a held rectangle.
TEST(JoinedRectangles, JoinsNearRectanglesAndKeepsFarOnesApart)
{
    const std::vector<QRect> given{{0, 0, 64, 64},    {64, 0, 64, 64},     {192, 0, 64, 64},
                                   {96, 64, 32, 64},  {1600, 900, 64, 64}, {10, 10, 20, 20},
                                   {500, 500, 0, 0}};
    std::vector<QRect> rects = given;
    JoinRectangles(rects, 4 * 64 * 64);
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_EQ(rects[0], QRect(0, 0, 256, 128));
    EXPECT_EQ(rects[1], QRect(1600, 900, 64, 64));
    for (const QRect& g : given) {
        if (g.isEmpty())
            continue;
        EXPECT_TRUE(rects[0].contains(g) || rects[1].contains(g));
    }

    rects = given;
    JoinRectangles(rects, 0);
    EXPECT_EQ(rects.size(), 4u);  // only the touching pair and the tile holding the small one
}
