#include "SaverSettings.h"

#include <gtest/gtest.h>

TEST(SettingsRecord, StoredIntegersAreSixteenBitDecimalsOrTheDefault)
{
    EXPECT_EQ(ParseStoredInt("0", 7), 0);
    EXPECT_EQ(ParseStoredInt("-1290", 7), -1290);
    EXPECT_EQ(ParseStoredInt("9", 7), 9);
    EXPECT_EQ(ParseStoredInt("-32768", 7), -32768);
    EXPECT_EQ(ParseStoredInt("32767", 7), 32767);
    EXPECT_EQ(ParseStoredInt("000000000042", 7), 42);
    for (const char* junk : {"", "-", "+5", "32768", "-32769", "12.5", "6 0", "0x10", "1e3", " 1",
                             "0000000000042", "\xd9\xa3"})
        EXPECT_EQ(ParseStoredInt(junk, 7), 7) << '"' << junk << '"';
}
