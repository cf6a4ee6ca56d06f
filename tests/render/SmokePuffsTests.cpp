#include "SmokePuffs.h"

#include <gtest/gtest.h>

#include <cstdint>

TEST(SmokePuffs, EveryPreparedSizeDrawsWhatAKeyedBlitOfThePictureDraws)
{
    // Irregular dots: one picture all white (drawn by storing the colour), one in two
    // colours (drawn by reading the picture), the rest empty.
    std::array<Surface, SmokePictureCount> pictures;
    uint32_t seed = 12345;
    for (int k = 0; k < SmokePictureCount; ++k) {
        Surface& picture = pictures[static_cast<size_t>(k)];
        picture = Surface(SmokeCellSize, SmokeCellSize, 0xFF000000u);
        for (int y = 0; y < SmokeCellSize && k < 2; ++y) {
            for (int x = 0; x < SmokeCellSize; ++x) {
                seed = seed * 1103515245u + 12345u;
                if ((seed >> 16) % 5 == 0)
                    picture.Row(y)[x] = k == 0 || (seed >> 20) % 2 ? 0xFFFFFFFFu : 0xFFC0C0D0u;
            }
        }
        picture.SetColorKey(0);
    }
    SmokePuffs puffs;
    puffs.Load(pictures);

    for (int k = 0; k < 3; ++k) {
        for (int n = 1; n <= 192; ++n) {
            const Rect square{3, 5, 3 + n, 5 + n};
            Surface drawn(200, 200, 0xFF1030A0u);
            Surface blitted = drawn;
            ASSERT_TRUE(puffs.Draw(drawn, k, square));
            ASSERT_TRUE(blitted.BlitKeyed(square, pictures[static_cast<size_t>(k)],
                                          Rect{0, 0, SmokeCellSize, SmokeCellSize}));
            for (int y = 0; y < 200; ++y)
                for (int x = 0; x < 200; ++x)
                    ASSERT_EQ(drawn.Pixel(x, y), blitted.Pixel(x, y))
                        << "picture " << k << " size " << n << " at " << x << "," << y;
        }
    }
}
