#include "LeadingNumber.h"

#include <QLocale>

#include <cmath>

namespace {

bool IsDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

}  // namespace

double ReadLeadingNumber(QStringView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    const qsizetype start = i;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        ++i;
    qsizetype digits = 0;
    while (i < n && IsDigit(text[i]))
        ++i, ++digits;
    if (i < n && text[i] == QLatin1Char('.')) {
        ++i;
        while (i < n && IsDigit(text[i]))
            ++i, ++digits;
    }
    if (digits == 0)
        return 0.0;
    qsizetype end = i;
    // An exponent counts only when digits follow it: "12e" reads as 12.
    if (i < n && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        qsizetype j = i + 1;
        if (j < n && (text[j] == QLatin1Char('+') || text[j] == QLatin1Char('-')))
            ++j;
        if (j < n && IsDigit(text[j])) {
            while (j < n && IsDigit(text[j]))
                ++j;
            end = j;
        }
    }
    // The C locale reads "." as the decimal point whatever the user's locale; a
    // number too large for a double reads as infinity, too small as 0.
    return QLocale::c().toDouble(text.mid(start, end - start));
}

double RoundHalfEven(double value)
{
    // The default floating-point rounding mode rounds halves to even.
    return std::nearbyint(value);
}
