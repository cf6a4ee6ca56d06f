#include "ShellWords.h"

#include <gtest/gtest.h>

namespace {

using Words = std::vector<std::string>;

TEST(SplitShellWords, QuotedWordsKeepTheirBlanks)
{
    EXPECT_EQ(SplitShellWords("\"/opt/My Player/play\" \"/home/u/My Music/a b.mp3\""),
              (Words{"/opt/My Player/play", "/home/u/My Music/a b.mp3"}));
    EXPECT_EQ(SplitShellWords("  play\t a'b c'd  "), (Words{"play", "ab cd"}));
    EXPECT_EQ(SplitShellWords("play \"\" ''"), (Words{"play", "", ""}));
    EXPECT_EQ(SplitShellWords(""), Words{});
}

TEST(SplitShellWords, BackslashesFollowTheShellRules)
{
    EXPECT_EQ(SplitShellWords("\"C:\\Music\\a.mid\""), (Words{"C:\\Music\\a.mid"}));
    EXPECT_EQ(SplitShellWords("\"say \\\"hi\\\" \\\\ \\$\""), (Words{"say \"hi\" \\ $"}));
    EXPECT_EQ(SplitShellWords("a\\ b 'c\\d'"), (Words{"a b", "c\\d"}));
}

TEST(SplitShellWords, ExpandsNothingAndRunsAnUnclosedQuoteToTheEnd)
{
    EXPECT_EQ(SplitShellWords("play $HOME/*.mp3 `id` ; rm"), (Words{"play", "$HOME/*.mp3", "`id`", ";", "rm"}));
    EXPECT_EQ(SplitShellWords("play \"/m/a b"), (Words{"play", "/m/a b"}));
}

} // namespace
