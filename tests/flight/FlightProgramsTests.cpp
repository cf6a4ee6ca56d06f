#include "FlightPrograms.h"
#include "TestFlight.h"

#include <gtest/gtest.h>

TEST(FlightPrograms, ScreenDigitSplicedByWidth)
{
    struct Case {
        int16_t width;
        const char* entry5;
        const char* entry16;
        const char* entry24;
    };
    const Case cases[] = {
        {640, "12R1R1R1R1R1R1R1R41", "27SL2L2L2L2L54SL4", "S5443S3R1L2LLL1L2L1R3SLR1LRLRLRLRLRLRLRLS"},
        {1024, "122R1R1R1R1R1R1R1R41", "227SL2L2L2L2L54SL4", "S25443S3R1L2LLL1L2L1R3SLR1LRLRLRLRLRLRLRLS"},
        {1920, "12R1R1R1R1R1R1R1R41", "27SL2L2L2L2L54SL4", "S5443S3R1L2LLL1L2L1R3SLR1LRLRLRLRLRLRLRLS"},
    };
    for (const Case& c : cases) {
        TestFlight t(c.width, 480);
        BuildFlightPrograms(t.flight);
        EXPECT_EQ(t.flight.FlightPrograms[5], c.entry5) << c.width;
        EXPECT_EQ(t.flight.FlightPrograms[16], c.entry16) << c.width;
        EXPECT_EQ(t.flight.FlightPrograms[24], c.entry24) << c.width;
        EXPECT_EQ(t.flight.SoloProgramCount, 5);
    }
}

TEST(FlightPrograms, ScreenDigitOnlyForTheListedWidths)
{
    EXPECT_EQ(ScreenDigit(800), "1");
    EXPECT_EQ(ScreenDigit(1024), "2");
    EXPECT_EQ(ScreenDigit(1152), "3");
    EXPECT_EQ(ScreenDigit(1280), "4");
    EXPECT_EQ(ScreenDigit(1600), "5");
    for (int w : {320, 640, 1023, 1366, 1920, 0, -1})
        EXPECT_EQ(ScreenDigit(w), "") << w;
}

TEST(FlightPrograms, TableHoldsTwentyNineEntriesAndTheSharedOnes)
{
    TestFlight t(1280, 1024);
    BuildFlightPrograms(t.flight);
    const auto& p = t.flight.FlightPrograms;
    for (int i = 0; i <= 28; ++i)
        EXPECT_FALSE(p[i].empty()) << i;
    for (int i = 29; i <= 100; ++i)
        EXPECT_TRUE(p[i].empty()) << i;
    EXPECT_EQ(p[20], p[21]);
    EXPECT_EQ(p[21], p[22]);
    EXPECT_EQ(p[10], "S42222RRRRRRR3L2L3L6S");
    EXPECT_EQ(p[4], "2S2R1R1R8L1L1L1L1L1L8R1R1R1S4");
}
