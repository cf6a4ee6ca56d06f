#include "CommandLine.h"

#include <limits>

QString JoinArguments(const QStringList& arguments)
{
    return arguments.join(QLatin1Char(' '));
}

namespace {

// Reads the decimal number at the start of text: blanks are skipped, reading stops at
// the first other character that is not a digit. A value beyond 32 bits names no
// window, so it reads as 0 rather than wrapping.
int32_t ReadHandle(const QString& text)
{
    int64_t value = 0;
    for (const QChar c : text) {
        if (c == QLatin1Char(' ') || c == QLatin1Char('\t'))
            continue;
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            break;
        value = value * 10 + (c.unicode() - '0');
        if (value > std::numeric_limits<int32_t>::max())
            return 0;
    }
    return static_cast<int32_t>(value);
}

}  // namespace

CommandLine ParseCommandLine(const QString& line)
{
    CommandLine result;
    int start = 0;
    while (start < line.size() && line.at(start) == QLatin1Char(' '))
        ++start;
    result.Switch = line.mid(start, 2);
    if (result.Switch.isEmpty())
        result.Switch = QStringLiteral("/s");
    result.HostHandle = ReadHandle(line.mid(3));
    return result;
}

RunMode ModeForSwitch(const QString& s)
{
    if (s == QLatin1String("/P") || s == QLatin1String("/p"))
        return RunMode::Preview;
    if (s == QLatin1String("/S") || s == QLatin1String("/s"))
        return RunMode::Show;
    if (s == QLatin1String("/C") || s == QLatin1String("/c"))
        return RunMode::Options;
    // The password-change request of the screen-saver protocol.
    if (s == QLatin1String("/A") || s == QLatin1String("/a"))
        return RunMode::Password;
    return RunMode::None;
}
