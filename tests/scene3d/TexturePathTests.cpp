#include "TexturePath.h"

#include <gtest/gtest.h>

TEST(TexturePath, SplitsOnEitherSeparator)
{
    EXPECT_EQ(ResolveTexturePath("/opt/k\\t4top.bmp"), "/opt/k/t4top.bmp");
    EXPECT_EQ(ResolveTexturePath("/\\t4top.bmp"), "/t4top.bmp");
    EXPECT_EQ(ResolveTexturePath("/opt/a\\b\\t4top.bmp"), "/opt/a\\b/t4top.bmp");
    EXPECT_EQ(ResolveTexturePath("t4top.bmp"), "t4top.bmp");
}
