#include "BackgroundPlacement.h"

#include <gtest/gtest.h>

TEST(BackgroundPlacement, PictureAtOwnSizeIsCentredAndCut)
{
    // 400 x 300 on 640 x 480: at (120, 90) at its own size.
    PicturePlacement p = PlacePicture(9, 400, 300, 640, 480);
    EXPECT_EQ(p.Source, (PlaceBox{0, 0, 400, 300}));
    EXPECT_EQ(p.Destination, (PlaceBox{120, 90, 400, 300}));

    // 1000 x 300: source left 180, destination top 90, 640 wide, 300 high.
    p = PlacePicture(9, 1000, 300, 640, 480);
    EXPECT_EQ(p.Source, (PlaceBox{180, 0, 640, 300}));
    EXPECT_EQ(p.Destination, (PlaceBox{0, 90, 640, 300}));

    // Taller than the show only.
    p = PlacePicture(9, 300, 1001, 640, 480);
    EXPECT_EQ(p.Source, (PlaceBox{0, 260.5, 300, 480}));  // halves are kept
    EXPECT_EQ(p.Destination, (PlaceBox{170, 0, 300, 480}));

    // Larger both ways.
    p = PlacePicture(9, 2000, 1000, 640, 480);
    EXPECT_EQ(p.Source, (PlaceBox{680, 260, 640, 480}));
    EXPECT_EQ(p.Destination, (PlaceBox{0, 0, 640, 480}));
}

TEST(BackgroundPlacement, StretchedPictureCoversTheShow)
{
    const PicturePlacement p = PlacePicture(10, 123, 45, 640, 480);
    EXPECT_EQ(p.Source, (PlaceBox{0, 0, 123, 45}));
    EXPECT_EQ(p.Destination, (PlaceBox{0, 0, 640, 480}));
}

TEST(BackgroundPlacement, DesktopPartKeepsTheShowsShape)
{
    // A wide desktop loses its sides, a tall one its top and bottom.
    EXPECT_EQ(DesktopPart(1366, 768, 640, 480), (PlaceBox{171, 0, 1024, 768}));
    EXPECT_EQ(DesktopPart(1024, 1280, 640, 480), (PlaceBox{0, 256, 1024, 768}));
    EXPECT_EQ(DesktopPart(1280, 960, 320, 240), (PlaceBox{0, 0, 1280, 960}));
}
