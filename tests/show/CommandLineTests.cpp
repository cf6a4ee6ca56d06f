#include "CommandLine.h"

#include <gtest/gtest.h>

namespace {

// The ASCII test lines as the UTF-16 the parser reads.
std::u16string Line(const char* text)
{
    return std::u16string(text, text + std::char_traits<char>::length(text));
}

}  // namespace

TEST(CommandLine, EmptyAndBlankLinesRunTheShow)
{
    for (const char* line : {"", " ", "     "}) {
        const CommandLine c = ParseCommandLine(Line(line));
        EXPECT_EQ(c.Switch, u"/s") << '"' << line << '"';
        EXPECT_EQ(ModeForSwitch(c.Switch), RunMode::Show);
        EXPECT_EQ(c.HostHandle, 0);
    }
}

TEST(CommandLine, SwitchesMatchTheirCaseAndOnlyTheFirstTwoCharacters)
{
    EXPECT_EQ(ModeForSwitch(ParseCommandLine(u"/s").Switch), RunMode::Show);
    EXPECT_EQ(ModeForSwitch(ParseCommandLine(u"/S").Switch), RunMode::Show);
    EXPECT_EQ(ModeForSwitch(ParseCommandLine(u"/p 5").Switch), RunMode::Preview);
    EXPECT_EQ(ModeForSwitch(ParseCommandLine(u"/P 5").Switch), RunMode::Preview);
    EXPECT_EQ(ModeForSwitch(ParseCommandLine(u"/c").Switch), RunMode::Options);
    EXPECT_EQ(ModeForSwitch(ParseCommandLine(u"/C").Switch), RunMode::Options);
    EXPECT_EQ(ModeForSwitch(ParseCommandLine(u"/c:5678").Switch), RunMode::Options);
    EXPECT_EQ(ModeForSwitch(ParseCommandLine(u"/sanything").Switch), RunMode::Show);
    EXPECT_EQ(ModeForSwitch(ParseCommandLine(u"/a").Switch), RunMode::Password);
    EXPECT_EQ(ModeForSwitch(ParseCommandLine(u"/A").Switch), RunMode::Password);
}

TEST(CommandLine, UnknownSwitchesEndQuietly)
{
    for (const char* line : {"/x", "-s", "s", "c", "/", "//s", "\\s", "/ s"})
        EXPECT_EQ(ModeForSwitch(ParseCommandLine(Line(line)).Switch), RunMode::None) << line;
}

TEST(CommandLine, HostHandleIsReadFromTheFourthCharacterOfTheUntrimmedLine)
{
    EXPECT_EQ(ParseCommandLine(u"/p 1234").HostHandle, 1234);
    EXPECT_EQ(ParseCommandLine(u"/p:1234").HostHandle, 1234);

    const CommandLine oneBlank = ParseCommandLine(u" /p 1234");
    EXPECT_EQ(oneBlank.Switch, u"/p");
    EXPECT_EQ(oneBlank.HostHandle, 1234);  // "p 1234" from the fourth: blank, digits

    const CommandLine twoBlanks = ParseCommandLine(u"  /p 1234");
    EXPECT_EQ(twoBlanks.Switch, u"/p");
    EXPECT_EQ(twoBlanks.HostHandle, 0);  // reading starts at "p"
}

TEST(CommandLine, HostHandleStopsAtTheFirstNonDigitAndIgnoresBlanks)
{
    EXPECT_EQ(ParseCommandLine(u"/p 12 34").HostHandle, 1234);
    EXPECT_EQ(ParseCommandLine(u"/p 12x34").HostHandle, 12);
    EXPECT_EQ(ParseCommandLine(u"/p abc").HostHandle, 0);
    EXPECT_EQ(ParseCommandLine(u"/p").HostHandle, 0);
    EXPECT_EQ(ParseCommandLine(u"/p 2147483647").HostHandle, 2147483647);
    // Beyond 32 bits no window can be meant; it must not wrap into some other id.
    EXPECT_EQ(ParseCommandLine(u"/p 99999999999999999999").HostHandle, 0);
}

TEST(CommandLine, ArgumentsAreJoinedBySingleBlanks)
{
    EXPECT_EQ(JoinArguments({u"/p", u"1234"}), u"/p 1234");
    EXPECT_EQ(ParseCommandLine(JoinArguments({u"/p", u"1234"})).HostHandle, 1234);
    EXPECT_EQ(JoinArguments({}), u"");
}
