#include "IdleTime.h"

#include <gtest/gtest.h>

TEST(IdleTime, MinutesSecondsAndWhatIsRefused)
{
    EXPECT_EQ(ParseIdleTime(QStringLiteral("10")), 600000);
    EXPECT_EQ(ParseIdleTime(QStringLiteral("30s")), 30000);
    EXPECT_EQ(ParseIdleTime(QStringLiteral("1440")), 86400000);
    for (const char* bad : {"", "s", "0", "0s", "1441", "86401s", "-5", "+5", " 5", "5m", "1e3", "2.5", "999999999"})
        EXPECT_EQ(ParseIdleTime(QString::fromLatin1(bad)), std::nullopt) << '"' << bad << '"';
}
