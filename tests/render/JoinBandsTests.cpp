#include "JoinBands.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

long Area(const std::vector<Rect>& rects)
{
    long area = 0;
    for (const Rect& r : rects)
        area += static_cast<long>(r.Width()) * r.Height();
    return area;
}

}  // namespace

TEST(JoinIntoBands, RowsWithTheSameColumnsBecomeOneBandAndOthersStay)
{
    const std::vector<Rect> runs = {
        {0, 0, 8, 8},    {16, 0, 32, 8},   // row 0
        {0, 8, 8, 16},   {16, 8, 32, 16},  // row 1: same columns, joins row 0
        {0, 16, 8, 24},                    // row 2: fewer runs, a band of its own
        {0, 32, 8, 40},                    // row 4: same column as row 2 but not touching it
        {8, 40, 16, 48},                   // row 5: other column
    };
    std::vector<Rect> bands;
    JoinIntoBands(runs, bands);
    const std::vector<Rect> expected = {{0, 0, 8, 16}, {16, 0, 32, 16}, {0, 16, 8, 24}, {0, 32, 8, 40}, {8, 40, 16, 48}};
    EXPECT_EQ(bands, expected);
    EXPECT_EQ(Area(bands), Area(runs)) << "the bands must cover the runs' pixels exactly";

    JoinIntoBands({}, bands);
    EXPECT_TRUE(bands.empty()) << "an earlier call's bands must not stay";
}
