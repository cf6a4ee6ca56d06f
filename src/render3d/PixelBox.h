#pragma once

#include <algorithm>

// A rectangle of a viewport in whole pixels, counted as GL counts them: from the lower
// left corner, X0 and Y0 inside, X1 and Y1 just past the last column and row.
struct PixelBox {
    int X0 = 0, Y0 = 0, X1 = 0, Y1 = 0;

    bool Empty() const { return X1 <= X0 || Y1 <= Y0; }
    int Width() const { return X1 - X0; }
    int Height() const { return Y1 - Y0; }
    bool operator==(const PixelBox&) const = default;
};

// The smallest box holding both; an empty box adds nothing.
inline PixelBox Unite(const PixelBox& a, const PixelBox& b)
{
    if (a.Empty())
        return b;
    if (b.Empty())
        return a;
    return {std::min(a.X0, b.X0), std::min(a.Y0, b.Y0), std::max(a.X1, b.X1), std::max(a.Y1, b.Y1)};
}

inline PixelBox Clamped(const PixelBox& box, int width, int height)
{
    const PixelBox inside{std::clamp(box.X0, 0, width), std::clamp(box.Y0, 0, height), std::clamp(box.X1, 0, width),
                          std::clamp(box.Y1, 0, height)};
    return inside.Empty() ? PixelBox{} : inside;
}
