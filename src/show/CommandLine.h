#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum class RunMode { Show, Preview, Options, Password, None };

// Text is UTF-16, as Windows hands a program its command line, so "the fourth
// character" means the same on every platform.
struct CommandLine {
    std::u16string Switch;   // first two characters after leading blanks ("/s" when empty)
    int32_t HostHandle = 0;  // decimal number read from the fourth character of the untrimmed line
};

// The command line as the screen-saver protocol sees it: the arguments joined by single blanks.
std::u16string JoinArguments(const std::vector<std::u16string>& arguments);

CommandLine ParseCommandLine(std::u16string_view line);

// Switches are matched case by case on their first two characters only.
RunMode ModeForSwitch(std::u16string_view switchText);
