#include "SmokePuffs.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

constexpr uint32_t Background = 0xFF1030A0u;

std::vector<Rect> Runs(const TileMask& mask)
{
    std::vector<Rect> runs;
    mask.ForEachRun(nullptr, [&runs](const Rect& r) { runs.push_back(r); });
    return runs;
}

}  // namespace

TEST(SmokePuffs, EveryPreparedSizeDrawsWhatAKeyedBlitOfThePictureDrawsAndMarksTheTilesItChanged)
{
    // Irregular dots in a disc, as in a puff: one picture all white (drawn by storing the
    // colour), one in two colours (drawn by reading the picture), the rest empty.
    std::array<Surface, SmokePictureCount> pictures;
    uint32_t seed = 12345;
    for (int k = 0; k < SmokePictureCount; ++k) {
        Surface& picture = pictures[static_cast<size_t>(k)];
        picture = Surface(SmokeCellSize, SmokeCellSize, 0xFF000000u);
        for (int y = 0; y < SmokeCellSize && k < 2; ++y) {
            for (int x = 0; x < SmokeCellSize; ++x) {
                seed = seed * 1103515245u + 12345u;
                const int dx = x - SmokeCellSize / 2, dy = y - SmokeCellSize / 2;
                if ((seed >> 16) % 5 == 0 && dx * dx + dy * dy < 28 * 28)
                    picture.Row(y)[x] = k == 0 || (seed >> 20) % 2 ? 0xFFFFFFFFu : 0xFFC0C0D0u;
            }
        }
        picture.SetColorKey(0);
    }
    SmokePuffs puffs;
    puffs.Load(pictures);

    // Every offset of the square within its 8 x 8 tile comes round as the size grows.
    constexpr int Edge = 216;
    for (int k = 0; k < 3; ++k) {
        for (int n = 1; n <= 192; ++n) {
            const int left = 8 + n % 8, top = 8 + n / 8 % 8;
            const Rect square{left, top, left + n, top + n};
            Surface drawn(Edge, Edge, Background);
            Surface blitted = drawn;
            TileMask marked(Edge, Edge, SmokePuffs::ReachTileSize);
            ASSERT_TRUE(puffs.Draw(drawn, k, square, marked));
            ASSERT_TRUE(blitted.BlitKeyed(square, pictures[static_cast<size_t>(k)],
                                          Rect{0, 0, SmokeCellSize, SmokeCellSize}));
            TileMask changed(Edge, Edge, SmokePuffs::ReachTileSize);
            for (int y = 0; y < Edge; ++y) {
                for (int x = 0; x < Edge; ++x) {
                    ASSERT_EQ(drawn.Pixel(x, y), blitted.Pixel(x, y))
                        << "picture " << k << " size " << n << " at " << x << "," << y;
                    if (drawn.Pixel(x, y) != Background)
                        changed.Mark(Rect{x, y, x + 1, y + 1});
                }
            }
            EXPECT_EQ(Runs(marked), Runs(changed)) << "picture " << k << " size " << n;
        }
    }
}
