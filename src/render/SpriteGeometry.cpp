#include "SpriteGeometry.h"

#include "FlightRecords.h"
#include "Numbers.h"

namespace {

constexpr double Diagonal = 0.71;

// How far the square moves ahead of the reference point, in half edges, per heading.
struct Ahead {
    double X;
    double Y;
};
constexpr Ahead AheadByHeading[8] = {
    {0, -1}, {Diagonal, -Diagonal}, {1, 0}, {Diagonal, Diagonal},
    {0, 1}, {-Diagonal, Diagonal}, {-1, 0}, {-Diagonal, -Diagonal},
};

Rect Rounded(double left, double top, double width, double height)
{
    return {CLng(left), CLng(top), CLng(left + width), CLng(top + height)};
}

}  // namespace

SpriteRects SpriteGeometry(const PlaneState& plane, int cellSize, int screenWidth, int screenHeight)
{
    const double s = plane.Scale;
    const double n = cellSize;
    const double w = screenWidth;
    const double h = screenHeight;

    const double edge = 45 * s;
    const double half = edge / 2;
    double sL = 0;
    double sT = 0;
    double sW = n - 1;
    double sH = n - 1;
    double L = plane.X - half;
    double T = plane.Y - half;
    double DW = edge;
    double DH = edge;
    // A heading outside 0..7 has no picture; its square stays centred.
    if (plane.Dir >= 0 && plane.Dir < 8) {
        L += AheadByHeading[plane.Dir].X * half;
        T += AheadByHeading[plane.Dir].Y * half;
    }

    SpriteRects rects;
    const Rect drawn = Rounded(L, T, DW, DH);
    rects.DrawnWidth = drawn.Width();
    rects.DrawnHeight = drawn.Height();

    const double f = (10 / s) * (n / 450);
    if (L < 0) {
        sL = -L * f;
        sW = sW + L * f;
        DW = DW + L;
        L = 0;
    }
    if (T < 0) {
        sT = -T * f;
        sH = sH + T * f;
        DH = DH + T;
        T = 0;
    }
    if (L + DW > w - 1) {
        sW = sW - (L + DW - (w - 1)) * f;
        DW = w - L;
    }
    if (T + DH > h - 1) {
        sH = sH - (T + DH - (h - 1)) * f;
        DH = h - T;
    }
    rects.Destination = Rounded(L, T, DW, DH);
    rects.Source = Rounded(sL, sT, sW, sH);
    return rects;
}
