#include "FlightRecords.h"
#include "HeadingPicture.h"
#include "KindSprites.h"
#include "SpriteGeometry.h"
#include "TestPictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <vector>

namespace {

constexpr uint32_t Blue = 0xFF2040C0u;
constexpr uint32_t Paint = 0xFFE0E0E0u;

PlaneState Plane(int x, int y, int dir, int scale)
{
    PlaneState p;
    p.X = static_cast<int16_t>(x);
    p.Y = static_cast<int16_t>(y);
    p.Dir = static_cast<int16_t>(dir);
    p.Scale = static_cast<int16_t>(scale);
    return p;
}

class HeadingPictureTest : public ::testing::Test {
protected:
    // Draws aircraft plane of a kind loaded from pictures onto a blue W x H frame.
    Surface Drawn(const PlaneState& plane, int edge = 400, int width = 640, int height = 480)
    {
        Surface frame(width, height, Blue);
        const SpriteRects rects = SpriteGeometry(plane, edge, width, height);
        sprites.Heading(plane.Dir).Draw(frame, rects, scratch);
        return frame;
    }

    KindSprites sprites;
    DrawScratch scratch;
};

bool SamePixels(const Surface& a, const Rect& inA, const Surface& b, int bx, int by)
{
    for (int y = inA.Top; y < inA.Bottom; ++y)
        for (int x = inA.Left; x < inA.Right; ++x)
            if (a.Pixel(x, y) != b.Pixel(bx + x - inA.Left, by + y - inA.Top))
                return false;
    return true;
}

}  // namespace

TEST(ColourKey, KindZeroKeysBlackOtherKindsTheirOwnTopLeftPixel)
{
    const Surface red = SurfaceFromPicture(BlockPicture(8, 0xFFC00000u, Paint), 8, 8);
    EXPECT_EQ(ColourKeyOf(0, red), 0u);
    for (int kind = 1; kind <= 5; ++kind)
        EXPECT_EQ(ColourKeyOf(kind, red), 0xC00000u);
}

TEST_F(HeadingPictureTest, EachPictureKeysOnlyItsOwnTopLeftColour)
{
    // Kind 3: heading 0 on magenta, heading 1 on black with a magenta body.
    std::array<Surface, HeadingCount> pictures = BlockPictures(240, 0xFFFF00FFu, Paint);
    pictures[1] = BlockPicture(240, 0xFF000000u, 0xFFFF00FFu);
    sprites.Load(3, pictures, 240);

    const Surface up = Drawn(Plane(300, 300, 0, 4), 240);
    const Surface upRight = Drawn(Plane(300, 300, 1, 4), 240);
    int paintPixels = 0;
    int magentaPixels = 0;
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            paintPixels += up.Pixel(x, y) == (Paint | 0xFF000000u);
            EXPECT_NE(up.Pixel(x, y), 0xFFFF00FFu);
            magentaPixels += upRight.Pixel(x, y) == 0xFFFF00FFu;
            EXPECT_NE(upRight.Pixel(x, y), 0xFF000000u);
        }
    }
    EXPECT_GT(paintPixels, 1000);
    EXPECT_GT(magentaPixels, 1000);  // heading 1 keeps magenta and drops its black

    // Kind 0 keys black even when the corner is another colour.
    sprites.Load(0, BlockPictures(400, 0xFF00FF00u, Paint), 400);
    const Surface green = Drawn(Plane(300, 300, 2, 2));
    EXPECT_EQ(green.Pixel(301, 256), 0xFF00FF00u);
}

TEST_F(HeadingPictureTest, ShrunkPictureHasNoDarkFringeAndKeyedPartsStayExact)
{
    sprites.Load(0, BlockPictures(400, 0xFF000000u, Paint), 400);
    const PlaneState plane = Plane(300, 200, 2, 1);
    const Surface frame = Drawn(plane);
    const Rect square = SpriteGeometry(plane, 400, 640, 480).Destination;
    int blended = 0;
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            const uint32_t p = frame.Pixel(x, y);
            const bool inside = x >= square.Left && x < square.Right && y >= square.Top && y < square.Bottom;
            if (!inside) {
                ASSERT_EQ(p, Blue) << x << "," << y;
                continue;
            }
            // Every pixel lies between the background and the paint, channel by
            // channel: edges blend, nothing darkens towards the key's black.
            for (int shift : {0, 8, 16}) {
                const int c = (p >> shift) & 0xFF;
                const int b = (Blue >> shift) & 0xFF;
                const int a = (Paint >> shift) & 0xFF;
                ASSERT_GE(c, std::min(a, b) - 1) << x << "," << y;
                ASSERT_LE(c, std::max(a, b) + 1) << x << "," << y;
            }
            blended += p != Blue && p != (Paint | 0xFF000000u);
        }
    }
    EXPECT_GT(blended, 0);                 // the edges are smoothed
    EXPECT_EQ(frame.Pixel(square.Left + 1, square.Top + 1), Blue);  // pure key stays transparent
    EXPECT_EQ(frame.Pixel(square.Left + 22, square.Top + 22), Paint | 0xFF000000u);
}

TEST_F(HeadingPictureTest, AircraftLooksTheSameWhereverItIsAndWhenCut)
{
    sprites.Load(3, BlockPictures(240, 0xFF000000u, Paint), 240);
    // Diagonal headings are drawn at the same size at any position.
    const PlaneState a = Plane(200, 200, 3, 1);
    const PlaneState b = Plane(317, 141, 3, 1);
    const Rect ra = SpriteGeometry(a, 240, 640, 480).Destination;
    const Rect rb = SpriteGeometry(b, 240, 640, 480).Destination;
    EXPECT_TRUE(SamePixels(Drawn(a, 240), ra, Drawn(b, 240), rb.Left, rb.Top));

    // Cut at the left edge (L = -10): the visible part is the uncut picture from column 10.
    const Surface cut = Drawn(Plane(-10, 200, 2, 1), 240);
    const Surface whole = Drawn(Plane(100, 200, 2, 1), 240);
    const Rect wholeRect = SpriteGeometry(Plane(100, 200, 2, 1), 240, 640, 480).Destination;
    EXPECT_TRUE(SamePixels(cut, Rect{0, wholeRect.Top, 35, wholeRect.Bottom}, whole, 110, wholeRect.Top));
}

TEST_F(HeadingPictureTest, CutAircraftTakeThePixelUnderEachCentreOfTheWholePicture)
{
    // Reference: the whole ready-made picture (drawn uncut onto nothing), sampled at the
    // centre of every destination pixel through the source rectangle, pixel by pixel.
    sprites.Load(2, BlockPictures(225, 0xFF000000u, Paint), 225);
    const int w = 640;
    const int h = 480;
    for (const PlaneState& plane : {Plane(630, 200, 2, 3), Plane(300, 470, 4, 5), Plane(40, 30, 7, 4),
                                    Plane(600, 460, 3, 2), Plane(10, 300, 6, 1)}) {
        const SpriteRects rects = SpriteGeometry(plane, 225, w, h);
        ASSERT_FALSE(rects.Destination.IsEmpty());
        Surface whole(rects.DrawnWidth, rects.DrawnHeight, 0);
        SpriteRects uncut = rects;
        uncut.Destination = Rect{0, 0, rects.DrawnWidth, rects.DrawnHeight};
        uncut.Source = Rect{0, 0, 224, 224};
        ASSERT_TRUE(sprites.Heading(plane.Dir).Draw(whole, uncut, scratch));

        const Surface frame = Drawn(plane, 225, w, h);
        const Rect& to = rects.Destination;
        const Rect& from = rects.Source;
        for (int y = to.Top; y < to.Bottom; ++y) {
            for (int x = to.Left; x < to.Right; ++x) {
                // Source position of the centre, (left + (i + 1/2) width / count), over 224 picture pixels.
                const auto at = [](int i, int left, int width, int count, int size) {
                    const int64_t twice = 2 * int64_t(left) * count + (2 * int64_t(i) + 1) * width;
                    return static_cast<int>(std::min<int64_t>(twice * size / (2 * int64_t(count) * 224), size - 1));
                };
                const int wx = at(x - to.Left, from.Left, from.Width(), to.Width(), whole.Width());
                const int wy = at(y - to.Top, from.Top, from.Height(), to.Height(), whole.Height());
                ASSERT_EQ(frame.Pixel(x, y), SourceOver(whole.Pixel(wx, wy), Blue))
                    << "heading " << plane.Dir << " at " << x << "," << y;
            }
        }
    }
}

TEST_F(HeadingPictureTest, EverySizeFromOneToTenIsMadeReadyExactly)
{
    // Uncut, the picture is copied as made: the same as resizing the whole picture to
    // the square on its own.
    sprites.Load(1, BlockPictures(180, 0xFF000000u, Paint), 180);
    for (int scale = 1; scale <= 10; ++scale) {
        for (int dir : {0, 1, 2, 5}) {
            for (int x : {500, 501}) {
                const PlaneState plane = Plane(x, 500, dir, scale);
                const SpriteRects rects = SpriteGeometry(plane, 180, 1200, 1200);
                Surface frame = Drawn(plane, 180, 1200, 1200);
                Surface expected(1200, 1200, Blue);
                Surface picture = SurfaceFromPicture(BlockPicture(180, 0xFF000000u, Paint), 180, 180);
                picture.SetColorKey(0);
                const HeadingPicture single(picture, {DrawnSize{rects.DrawnWidth, rects.DrawnHeight}});
                DrawScratch own;
                single.Draw(expected, rects, own);
                ASSERT_TRUE(SamePixels(frame, rects.Destination, expected, rects.Destination.Left,
                                       rects.Destination.Top))
                    << "scale " << scale << " heading " << dir << " x " << x;
            }
        }
    }
}

TEST_F(HeadingPictureTest, SizesMadeInTheBackgroundDrawWhatSizesMadeUpFrontDraw)
{
    // Drawn at once, largest first, while the helpers are still on the small sizes: each
    // draw makes or waits for its own size and must never fall back on a nearer made one.
    const std::array<Surface, HeadingCount> pictures = BlockPictures(180, 0xFF000000u, Paint);
    sprites.Load(1, pictures, 180);
    KindSprites started;
    started.Start(1, [&pictures](int d) { return pictures[static_cast<size_t>(d)]; }, 180);
    started.MakeTheRestInTheBackground();
    for (int scale = 10; scale >= 1; --scale) {
        for (int dir = 0; dir < HeadingCount; ++dir) {
            for (int x : {500, 501}) {
                const PlaneState plane = Plane(x, 500, dir, scale);
                const SpriteRects rects = SpriteGeometry(plane, 180, 1200, 1200);
                Surface early(1200, 1200, Blue);
                DrawScratch own;
                ASSERT_TRUE(started.Heading(dir).Draw(early, rects, own));
                ASSERT_TRUE(SamePixels(Drawn(plane, 180, 1200, 1200), rects.Destination, early,
                                       rects.Destination.Left, rects.Destination.Top))
                    << "scale " << scale << " heading " << dir << " x " << x;
            }
        }
    }
}

TEST_F(HeadingPictureTest, LargeSizesAreMadeWhenDrawnAndGivenBackOnceNoLongerDrawn)
{
    // Loading makes the sizes of factors 1..5, reading each picture once and letting it
    // go; a larger size reads its picture again when first drawn.
    const std::array<Surface, HeadingCount> pictures = BlockPictures(180, 0xFF000000u, Paint);
    std::atomic<int> reads{0};
    sprites.Load(1, [&](int d) { ++reads; return pictures[static_cast<size_t>(d)]; }, 180);
    EXPECT_EQ(reads, HeadingCount);
    const PlaneState plane = Plane(400, 400, 2, 8);
    const Surface first = Drawn(plane, 180, 800, 800);
    EXPECT_EQ(reads, HeadingCount + 1);

    const SpriteRects rects = SpriteGeometry(plane, 180, 800, 800);
    Surface frame(800, 800, Blue);
    for (int i = 0; i < 3 * KindSprites::FramesBetweenGiveBacks; ++i) {
        sprites.Heading(2).Draw(frame, rects, scratch);
        sprites.EndFrame();
    }
    EXPECT_EQ(reads, HeadingCount + 1) << "a size drawn in every frame is kept";
    for (int i = 0; i < 2 * KindSprites::FramesBetweenGiveBacks; ++i)
        sprites.EndFrame();
    const Surface again = Drawn(plane, 180, 800, 800);
    EXPECT_EQ(reads, HeadingCount + 2) << "a size no longer drawn is given back and made again";
    EXPECT_TRUE(SamePixels(first, Rect{0, 0, 800, 800}, again, 0, 0));
}

TEST_F(HeadingPictureTest, AStartedKindDrawsOneHeadingWhileTheOthersAreStillUnread)
{
    // The first frame must not wait for pictures it does not draw: every other heading's
    // read is held back until heading 3 has been drawn, so reading them all up front
    // would never return. (No ASSERT in here: the held reads must be let go.)
    const std::array<Surface, HeadingCount> pictures = BlockPictures(180, 0xFF000000u, Paint);
    sprites.Load(1, pictures, 180);
    std::atomic<bool> drawn{false};
    std::atomic<int> readsOfThree{0};
    {
        KindSprites started;
        started.Start(
            1,
            [&](int d) {
                if (d == 3)
                    ++readsOfThree;
                else
                    drawn.wait(false);
                return pictures[static_cast<size_t>(d)];
            },
            180);
        started.MakeTheRestInTheBackground();
        for (int scale : {1, 2, 7}) {
            const PlaneState plane = Plane(500, 500, 3, scale);
            const SpriteRects rects = SpriteGeometry(plane, 180, 1200, 1200);
            Surface early(1200, 1200, Blue);
            DrawScratch own;
            EXPECT_TRUE(started.Heading(3).Draw(early, rects, own));
            EXPECT_TRUE(SamePixels(Drawn(plane, 180, 1200, 1200), rects.Destination, early, rects.Destination.Left,
                                   rects.Destination.Top))
                << "scale " << scale;
        }
        drawn = true;
        drawn.notify_all();
    }
    EXPECT_EQ(readsOfThree, 1);
}

TEST_F(HeadingPictureTest, RefusedWhenTheSquareLiesOutsideOrTheSourceLeavesThePicture)
{
    sprites.Load(0, BlockPictures(400, 0xFF000000u, Paint), 400);
    Surface frame(640, 480, Blue);
    SpriteRects rects = SpriteGeometry(Plane(300, 200, 2, 1), 400, 640, 480);
    rects.Destination.Right = 641;
    EXPECT_FALSE(sprites.Heading(2).Draw(frame, rects, scratch));
    rects = SpriteGeometry(Plane(300, 200, 2, 1), 240, 640, 480);  // cell of another kind
    rects.Source.Right = 401;
    EXPECT_FALSE(sprites.Heading(2).Draw(frame, rects, scratch));
    rects = SpriteGeometry(Plane(-60, 200, 2, 1), 400, 640, 480);
    EXPECT_FALSE(sprites.Heading(2).Draw(frame, rects, scratch));
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            ASSERT_EQ(frame.Pixel(x, y), Blue);
}
