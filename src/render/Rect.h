#pragma once

#include <cstdint>

// A rectangle in pixels of the surface it refers to: left, top, right, bottom, with
// right and bottom exclusive.
struct Rect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;

    int32_t Width() const { return Right - Left; }
    int32_t Height() const { return Bottom - Top; }
    // Empty or inverted: nothing to draw.
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    // Inside 0, 0, width, height (right and bottom may reach the edge).
    bool LiesWithin(int32_t width, int32_t height) const
    {
        return Left >= 0 && Top >= 0 && Right <= width && Bottom <= height;
    }
    bool operator==(const Rect&) const = default;
};
