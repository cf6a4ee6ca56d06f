#include "PreviewChoice.h"

#include <gtest/gtest.h>

TEST(PreviewChoice, PictureGroupPlusFlightMode)
{
    EXPECT_EQ(PreviewPictureIndex(1, 3), 1);
    EXPECT_EQ(PreviewPictureIndex(0, 0), 2);
    EXPECT_EQ(PreviewPictureIndex(1, 0), 3);
    EXPECT_EQ(PreviewPictureIndex(0, 9), 4);
    EXPECT_EQ(PreviewPictureIndex(1, 10), 5);
    for (int16_t colour = 1; colour <= 8; ++colour)
        EXPECT_EQ(PreviewPictureIndex(0, colour), 0);
    EXPECT_EQ(PreviewPictureIndex(0, 11), 0);
    EXPECT_EQ(PreviewPictureIndex(0, -1), 0);
}

TEST(PreviewChoice, UnknownFlightModesShowSoloFlightLikeTheShow)
{
    for (int16_t mode : {2, -1, 100, 32767}) {
        EXPECT_EQ(PreviewPictureIndex(mode, 0), 2);
        EXPECT_EQ(PreviewPictureIndex(mode, 10), 4);
        EXPECT_EQ(PreviewPictureIndex(mode, 5), 0);
    }
}
