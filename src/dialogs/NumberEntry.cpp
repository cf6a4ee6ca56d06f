#include "NumberEntry.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Whether a number that does not fit a double is too large (not too small): its
// decimal exponent once the digits are read as 0.ddd.
bool Overflows(std::string_view digits, long exponent)
{
    long magnitude = exponent;
    size_t i = 0;
    while (i < digits.size() && digits[i] == '0')
        ++i;
    const size_t point = digits.find('.');
    if (point == std::string_view::npos || i < point) {
        const size_t integerEnd = point == std::string_view::npos ? digits.size() : point;
        magnitude += static_cast<long>(integerEnd - i);
    } else {
        size_t j = point + 1;
        while (j < digits.size() && digits[j] == '0')
            ++j;
        magnitude -= static_cast<long>(j - point - 1);
    }
    return magnitude > 0;
}

}  // namespace

double ReadLeadingNumber(std::string_view text)
{
    size_t i = 0;
    const size_t n = text.size();
    while (i < n && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    const size_t start = i;
    size_t digits = 0;
    while (i < n && IsDigit(text[i]))
        ++i, ++digits;
    if (i < n && text[i] == '.') {
        ++i;
        while (i < n && IsDigit(text[i]))
            ++i, ++digits;
    }
    if (digits == 0)
        return 0.0;
    const std::string_view mantissa = text.substr(start, i - start);
    size_t end = i;
    long exponent = 0;
    // An exponent counts only when digits follow it: "12e" reads as 12.
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        size_t j = i + 1;
        const bool negativeExponent = j < n && text[j] == '-';
        if (j < n && (text[j] == '+' || text[j] == '-'))
            ++j;
        if (j < n && IsDigit(text[j])) {
            for (; j < n && IsDigit(text[j]); ++j)
                exponent = std::min(exponent * 10 + (text[j] - '0'), 100000L);
            if (negativeExponent)
                exponent = -exponent;
            end = j;
        }
    }
    // from_chars reads "." as the decimal point whatever the user's locale.
    double value = 0.0;
    const std::from_chars_result result = std::from_chars(text.data() + start, text.data() + end, value);
    if (result.ec == std::errc::result_out_of_range)
        value = Overflows(mantissa, exponent) ? std::numeric_limits<double>::infinity() : 0.0;
    return negative ? -value : value;
}

double RoundHalfEven(double value)
{
    // The default floating-point rounding mode rounds halves to even.
    return std::nearbyint(value);
}

NumberEntry TakeNumberText(const NumberRange& range, std::string_view text, bool typing)
{
    const double read = ReadLeadingNumber(text);
    switch (range.actOn) {
    case ActOn::NonZero:
        if (read == 0.0)
            return {EntryAction::Ignore, 0};
        break;
    case ActOn::NotEmpty:
        if (text.empty())
            return {EntryAction::Ignore, 0};
        break;
    case ActOn::Always:
        break;
    }
    const double value = RoundHalfEven(read);
    if (value < range.minimum && typing)
        return {EntryAction::ResetWhenDone, range.resetValue};
    if (value < range.minimum || value > range.maximum)
        return {EntryAction::Reset, range.resetValue};
    return {EntryAction::Move, static_cast<int>(value)};
}
