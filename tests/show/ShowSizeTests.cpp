#include "ShowSize.h"

#include <gtest/gtest.h>

TEST(ShowSize, DisplayModeOverridesTheScreen)
{
    EXPECT_EQ(ShowSizeFor(1920, 1080, 1), (ShowSize{640, 480}));
    EXPECT_EQ(ShowSizeFor(1920, 1080, 2), (ShowSize{320, 240}));
    EXPECT_EQ(ShowSizeFor(1366, 768, 2), (ShowSize{320, 240}));
    // Values the dialog never writes keep the measured size.
    EXPECT_EQ(ShowSizeFor(1920, 1080, 3), (ShowSize{1920, 1080}));
    EXPECT_EQ(ShowSizeFor(1920, 1080, -1), (ShowSize{1920, 1080}));
}

TEST(ShowSize, OnlyKnownWidthsAreKeptWhateverTheHeight)
{
    for (int w : {320, 640, 800, 1024, 1152, 1280, 1600, 1920})
        EXPECT_EQ(ShowSizeFor(w, 777, 0), (ShowSize{static_cast<int16_t>(w), 777})) << w;
    EXPECT_EQ(ShowSizeFor(1024, 600, 0), (ShowSize{1024, 600}));
    EXPECT_EQ(ShowSizeFor(1366, 768, 0), (ShowSize{640, 480}));
    EXPECT_EQ(ShowSizeFor(2560, 1440, 0), (ShowSize{640, 480}));
    EXPECT_EQ(ShowSizeFor(100000, 100000, 0), (ShowSize{640, 480}));
}

TEST(ShowSize, OtherMonitorsKeepTheirOwnSizeUnlessTheDisplayModeForcesOne)
{
    EXPECT_EQ(OtherMonitorShowSize(1366, 768, 0), (ShowSize{1366, 768}));
    EXPECT_EQ(OtherMonitorShowSize(2560, 1440, 3), (ShowSize{2560, 1440}));
    EXPECT_EQ(OtherMonitorShowSize(1366, 768, 1), (ShowSize{640, 480}));
    EXPECT_EQ(OtherMonitorShowSize(1366, 768, 2), (ShowSize{320, 240}));
    EXPECT_EQ(OtherMonitorShowSize(100000, 4, 0), (ShowSize{32767, 16}));
}
