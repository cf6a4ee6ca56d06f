#include "Surface.h"

#include <gtest/gtest.h>

namespace {

constexpr uint32_t Blue = 0xFF0000FFu;
constexpr uint32_t White = 0xFFFFFFFFu;

// A source whose every pixel tells where it came from: 0xFF00yyxx.
Surface Numbered(int width, int height)
{
    Surface picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.Row(y)[x] = 0xFF000000u | uint32_t(y) << 8 | uint32_t(x);
    return picture;
}

bool AllPixelsAre(const Surface& s, uint32_t value)
{
    for (int y = 0; y < s.Height(); ++y)
        for (int x = 0; x < s.Width(); ++x)
            if (s.Pixel(x, y) != value)
                return false;
    return true;
}

}  // namespace

TEST(Surface, BlitIsRefusedWholeWhenTheDestinationIsNotInsideTheTarget)
{
    Surface target(100, 80, Blue);
    const Surface source(8, 8, White);
    const Rect all{0, 0, 8, 8};
    EXPECT_FALSE(target.BlitKeyed({93, 10, 101, 18}, source, all));  // one pixel past the right edge
    EXPECT_FALSE(target.BlitKeyed({10, 73, 18, 81}, source, all));   // one past the bottom
    EXPECT_FALSE(target.BlitKeyed({-1, 10, 7, 18}, source, all));
    EXPECT_FALSE(target.BlitKeyed({10, -1, 18, 7}, source, all));
    EXPECT_FALSE(target.BlitKeyed({10, 10, 10, 18}, source, all));   // empty
    EXPECT_FALSE(target.BlitKeyed({18, 10, 10, 18}, source, all));   // inverted
    EXPECT_FALSE(target.BlitKeyed({10, 10, 18, 18}, source, {0, 0, 9, 8}));  // source beyond its picture
    EXPECT_FALSE(target.BlitKeyed({10, 10, 18, 18}, source, {4, 0, 4, 8}));
    EXPECT_TRUE(AllPixelsAre(target, Blue));

    // Touching the right and bottom edges is inside.
    EXPECT_TRUE(target.BlitKeyed({92, 72, 100, 80}, source, all));
    EXPECT_EQ(target.Pixel(99, 79), White);
    EXPECT_EQ(target.Pixel(91, 79), Blue);
}

TEST(Surface, StretchTakesTheSourcePixelUnderEachDestinationCentre)
{
    const Surface source = Numbered(64, 64);
    Surface target(10, 10, Blue);
    // 64 -> 2: destination centres 0.5 and 1.5 fall on source pixels 16 and 48.
    ASSERT_TRUE(target.BlitKeyed({0, 0, 2, 2}, source, {0, 0, 64, 64}));
    EXPECT_EQ(target.Pixel(0, 0), 0xFF001010u);
    EXPECT_EQ(target.Pixel(1, 0), 0xFF001030u);
    EXPECT_EQ(target.Pixel(1, 1), 0xFF003030u);
    // 3 -> 6 doubles every pixel; a source rectangle with an offset is honoured.
    ASSERT_TRUE(target.BlitKeyed({2, 2, 8, 8}, source, {5, 7, 8, 10}));
    EXPECT_EQ(target.Pixel(2, 2), 0xFF000705u);
    EXPECT_EQ(target.Pixel(3, 3), 0xFF000705u);
    EXPECT_EQ(target.Pixel(4, 2), 0xFF000706u);
    EXPECT_EQ(target.Pixel(7, 7), 0xFF000907u);
    EXPECT_EQ(target.Pixel(8, 8), Blue);
}

TEST(Surface, KeyedPixelsLeaveTheTargetUntouched)
{
    Surface source(4, 1);
    source.Row(0)[0] = 0xFF000000u;
    source.Row(0)[1] = 0xFFFFFFFFu;
    source.Row(0)[2] = 0xFF010000u;  // almost black is not the key
    source.Row(0)[3] = 0xFF000000u;
    source.SetColorKey(0);
    Surface target(4, 1, Blue);
    ASSERT_TRUE(target.BlitKeyed({0, 0, 4, 1}, source, {0, 0, 4, 1}));
    EXPECT_EQ(target.Pixel(0, 0), Blue);
    EXPECT_EQ(target.Pixel(1, 0), White);
    EXPECT_EQ(target.Pixel(2, 0), 0xFF010000u);
    EXPECT_EQ(target.Pixel(3, 0), Blue);
}

TEST(Surface, SurfaceFromPictureTakesTheTopLeftCornerAndIsOpaque)
{
    const Surface big = SurfaceFromPicture(Numbered(20, 20), 5, 4);
    ASSERT_EQ(big.Width(), 5);
    ASSERT_EQ(big.Height(), 4);
    EXPECT_EQ(big.Pixel(4, 3), 0xFF000304u);

    // A smaller picture leaves black beyond it; transparency is taken over black.
    Surface small(2, 2, 0);
    small.Row(1)[1] = 0xFFC86432u;
    small.Row(0)[1] = 0x80402010u;  // half transparent, premultiplied
    const Surface padded = SurfaceFromPicture(small, 3, 3);
    EXPECT_EQ(padded.Pixel(0, 0), 0xFF000000u);
    EXPECT_EQ(padded.Pixel(1, 1), 0xFFC86432u);
    EXPECT_EQ(padded.Pixel(1, 0), 0xFF402010u);
    EXPECT_EQ(padded.Pixel(2, 2), 0xFF000000u);
}

TEST(Surface, FullCopy)
{
    const Surface source = Numbered(30, 20);
    Surface frame(30, 20, Blue);
    frame.CopyFrom(source);
    EXPECT_EQ(frame.Pixel(29, 19), 0xFF00131Du);
}
