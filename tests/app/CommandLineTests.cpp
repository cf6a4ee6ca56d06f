#include "CommandLine.h"

#include <gtest/gtest.h>

TEST(CommandLine, EmptyAndBlankLinesRunTheShow)
{
    for (const char* line : {"", " ", "     "}) {
        const CommandLine c = ParseCommandLine(QString::fromLatin1(line));
        EXPECT_EQ(c.Switch, QStringLiteral("/s")) << '"' << line << '"';
        EXPECT_EQ(ModeForSwitch(c.Switch), RunMode::Show);
        EXPECT_EQ(c.HostHandle, 0);
    }
}

TEST(CommandLine, SwitchesMatchTheirCaseAndOnlyTheFirstTwoCharacters)
{
    EXPECT_EQ(ModeForSwitch(ParseCommandLine("/s").Switch), RunMode::Show);
    EXPECT_EQ(ModeForSwitch(ParseCommandLine("/S").Switch), RunMode::Show);
    EXPECT_EQ(ModeForSwitch(ParseCommandLine("/p 5").Switch), RunMode::Preview);
    EXPECT_EQ(ModeForSwitch(ParseCommandLine("/P 5").Switch), RunMode::Preview);
    EXPECT_EQ(ModeForSwitch(ParseCommandLine("/c").Switch), RunMode::Options);
    EXPECT_EQ(ModeForSwitch(ParseCommandLine("/C").Switch), RunMode::Options);
    EXPECT_EQ(ModeForSwitch(ParseCommandLine("/c:5678").Switch), RunMode::Options);
    EXPECT_EQ(ModeForSwitch(ParseCommandLine("/sanything").Switch), RunMode::Show);
    EXPECT_EQ(ModeForSwitch(ParseCommandLine("/a").Switch), RunMode::Password);
    EXPECT_EQ(ModeForSwitch(ParseCommandLine("/A").Switch), RunMode::Password);
}

TEST(CommandLine, UnknownSwitchesEndQuietly)
{
    for (const char* line : {"/x", "-s", "s", "c", "/", "//s", "\\s", "/ s"})
        EXPECT_EQ(ModeForSwitch(ParseCommandLine(QString::fromLatin1(line)).Switch), RunMode::None) << line;
}

TEST(CommandLine, HostHandleIsReadFromTheFourthCharacterOfTheUntrimmedLine)
{
    EXPECT_EQ(ParseCommandLine("/p 1234").HostHandle, 1234);
    EXPECT_EQ(ParseCommandLine("/p:1234").HostHandle, 1234);

    const CommandLine oneBlank = ParseCommandLine(" /p 1234");
    EXPECT_EQ(oneBlank.Switch, QStringLiteral("/p"));
    EXPECT_EQ(oneBlank.HostHandle, 1234);  // "p 1234" from the fourth: blank, digits

    const CommandLine twoBlanks = ParseCommandLine("  /p 1234");
    EXPECT_EQ(twoBlanks.Switch, QStringLiteral("/p"));
    EXPECT_EQ(twoBlanks.HostHandle, 0);  // reading starts at "p"
}

TEST(CommandLine, HostHandleStopsAtTheFirstNonDigitAndIgnoresBlanks)
{
    EXPECT_EQ(ParseCommandLine("/p 12 34").HostHandle, 1234);
    EXPECT_EQ(ParseCommandLine("/p 12x34").HostHandle, 12);
    EXPECT_EQ(ParseCommandLine("/p abc").HostHandle, 0);
    EXPECT_EQ(ParseCommandLine("/p").HostHandle, 0);
    EXPECT_EQ(ParseCommandLine("/p 2147483647").HostHandle, 2147483647);
    // Beyond 32 bits no window can be meant; it must not wrap into some other id.
    EXPECT_EQ(ParseCommandLine("/p 99999999999999999999").HostHandle, 0);
}

TEST(CommandLine, ArgumentsAreJoinedBySingleBlanks)
{
    EXPECT_EQ(JoinArguments({"/p", "1234"}), QStringLiteral("/p 1234"));
    EXPECT_EQ(ParseCommandLine(JoinArguments({"/p", "1234"})).HostHandle, 1234);
    EXPECT_EQ(JoinArguments({}), QString());
}
