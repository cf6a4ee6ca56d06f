#include "SaverSettings.h"

#include <limits>

int16_t ParseStoredInt(std::string_view text, int16_t defaultValue)
{
    if (text.empty() || text.size() > 12)
        return defaultValue;
    size_t i = 0;
    const bool negative = text[0] == '-';
    if (negative)
        i = 1;
    if (i == text.size())
        return defaultValue;
    long value = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            return defaultValue;
        value = value * 10 + (c - '0');
    }
    if (negative)
        value = -value;
    if (value < std::numeric_limits<int16_t>::min() || value > std::numeric_limits<int16_t>::max())
        return defaultValue;
    return static_cast<int16_t>(value);
}
