#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

// Conversions of the show's arithmetic. Positions, headings and counters are 16-bit;
// a real value is stored by rounding to the nearest integer with halves to even.

// Nearest integer, halves to the even neighbour, saturated to the 16-bit range so an
// out-of-range value can never wrap or be undefined.
inline int16_t CInt(double v)
{
    if (std::isnan(v))
        return 0;
    const double r = std::nearbyint(v);  // default rounding mode: to nearest, ties to even
    if (r <= std::numeric_limits<int16_t>::min())
        return std::numeric_limits<int16_t>::min();
    if (r >= std::numeric_limits<int16_t>::max())
        return std::numeric_limits<int16_t>::max();
    return static_cast<int16_t>(r);
}

// Nearest 32-bit integer, halves to even, saturated; used for rectangles.
inline int32_t CLng(double v)
{
    if (std::isnan(v))
        return 0;
    const double r = std::nearbyint(v);
    if (r <= std::numeric_limits<int32_t>::min())
        return std::numeric_limits<int32_t>::min();
    if (r >= std::numeric_limits<int32_t>::max())
        return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(r);
}

// Rounding down ("Int"), kept as a double like the value it came from.
inline double Int(double v)
{
    return std::floor(v);
}
