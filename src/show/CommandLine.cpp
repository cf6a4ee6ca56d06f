#include "CommandLine.h"

#include <limits>

std::u16string JoinArguments(const std::vector<std::u16string>& arguments)
{
    std::u16string line;
    for (const std::u16string& argument : arguments) {
        if (&argument != &arguments.front())
            line += u' ';
        line += argument;
    }
    return line;
}

namespace {

// Reads the decimal number at the start of text: blanks are skipped, reading stops at
// the first other character that is not a digit. A value beyond 32 bits names no
// window, so it reads as 0 rather than wrapping.
int32_t ReadHandle(std::u16string_view text)
{
    int64_t value = 0;
    for (const char16_t c : text) {
        if (c == u' ' || c == u'\t')
            continue;
        if (c < u'0' || c > u'9')
            break;
        value = value * 10 + (c - u'0');
        if (value > std::numeric_limits<int32_t>::max())
            return 0;
    }
    return static_cast<int32_t>(value);
}

}  // namespace

CommandLine ParseCommandLine(std::u16string_view line)
{
    CommandLine result;
    size_t start = 0;
    while (start < line.size() && line[start] == u' ')
        ++start;
    result.Switch = std::u16string(line.substr(start, 2));
    if (result.Switch.empty())
        result.Switch = u"/s";
    if (line.size() > 3)
        result.HostHandle = ReadHandle(line.substr(3));
    return result;
}

RunMode ModeForSwitch(std::u16string_view s)
{
    if (s == u"/P" || s == u"/p")
        return RunMode::Preview;
    if (s == u"/S" || s == u"/s")
        return RunMode::Show;
    if (s == u"/C" || s == u"/c")
        return RunMode::Options;
    // The password-change request of the screen-saver protocol.
    if (s == u"/A" || s == u"/a")
        return RunMode::Password;
    return RunMode::None;
}
