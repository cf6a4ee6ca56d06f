#include "DecimalText.h"

#include <limits>

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::vector<std::string_view> SplitAt(std::string_view text, char separator)
{
    std::vector<std::string_view> pieces;
    for (size_t at = text.find(separator); at != std::string_view::npos; at = text.find(separator)) {
        pieces.push_back(text.substr(0, at));
        text.remove_prefix(at + 1);
    }
    pieces.push_back(text);
    return pieces;
}

std::optional<long long> ParseDecimal(std::string_view text, long long least, long long most)
{
    // A NUL byte ends the number, as it ends a C string; what follows is not looked at.
    text = TrimBlanks(text.substr(0, text.find('\0')));
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return std::nullopt;
    // The magnitude is gathered unsigned, so the most negative value fits and no step overflows.
    constexpr auto largest = static_cast<unsigned long long>(std::numeric_limits<long long>::max());
    const unsigned long long limit = negative ? largest + 1 : largest;
    unsigned long long magnitude = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        const auto digit = static_cast<unsigned>(c - '0');
        if (magnitude > (limit - digit) / 10)
            return std::nullopt;
        magnitude = magnitude * 10 + digit;
    }
    long long value = static_cast<long long>(magnitude);
    if (negative)
        value = magnitude == largest + 1 ? std::numeric_limits<long long>::min() : -value;
    if (value < least || value > most)
        return std::nullopt;
    return value;
}
