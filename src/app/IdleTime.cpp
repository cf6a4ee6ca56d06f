#include "IdleTime.h"

#include <algorithm>

namespace {
constexpr qint64 DayMs = 24LL * 60 * 60 * 1000;
}

std::optional<int> ParseIdleTime(const QString& text)
{
    const bool seconds = text.endsWith(QLatin1Char('s'));
    const QString digits = seconds ? text.chopped(1) : text;
    // Digits only: no sign, blank or exponent slips through toLongLong.
    if (digits.isEmpty() || digits.size() > 6 ||
        !std::all_of(digits.begin(), digits.end(), [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }))
        return std::nullopt;
    const qint64 ms = digits.toLongLong() * (seconds ? 1000 : 60 * 1000);
    if (ms < 1000 || ms > DayMs)
        return std::nullopt;
    return static_cast<int>(ms);
}
