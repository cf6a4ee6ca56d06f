#include "SmokeDrawing.h"

#include "Flight.h"
#include "Numbers.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int NewSmokeAge = 5;

bool IsSlot(int index)
{
    return index >= 0 && index < SmokeSlotCount;
}

// Moves the corner at the end of p to the midpoint of p's start and the next
// segment's end, and passes one count less to both neighbours.
void SmoothCorner(Flight& flight, SmokePoint& p)
{
    const int16_t s = p.Smooth;
    if (s < 1)
        return;
    p.Smooth = static_cast<int16_t>(s - 1);
    // Links outside the pool are treated as no neighbour.
    if (!IsSlot(p.PrevPt) || !IsSlot(p.NextPt))
        return;
    SmokePoint& q = flight.SmokePoints[static_cast<size_t>(p.NextPt)];
    SmokePoint& r = flight.SmokePoints[static_cast<size_t>(p.PrevPt)];
    p.X2 = CInt((double(p.X1) + q.X2) / 2);
    p.Y2 = CInt((double(p.Y1) + q.Y2) / 2);
    q.X1 = p.X2;
    q.Y1 = p.Y2;
    r.Smooth = static_cast<int16_t>(s - 1);
    q.Smooth = static_cast<int16_t>(s - 1);
}

// Darkest picture older smoke may use: the nearer the end of its life, the sparser.
int ShadeBase(int age, int length)
{
    if (age <= NewSmokeAge)
        return 0;
    if (age > length - 15)
        return 4;
    if (age > length - 30)
        return 3;
    if (age > length - 40)
        return 2;
    if (age > length - 60)
        return 1;
    return 0;
}

struct PuffStyle {
    int ShadeBase;
    int Choices;
    double HalfSize;  // Int(3.2 t)
    double Size;      // Int(6.4 t)
};

void DrawPuff(Flight& flight, PuffTarget& target, const PuffStyle& style, double x, double y)
{
    const int picture = style.ShadeBase + static_cast<int>(Int(flight.Rnd() * style.Choices));
    const int32_t left = CLng(x - style.HalfSize);
    const int32_t top = CLng(y - style.HalfSize);
    target.DrawPuff(picture, Rect{left, top, CLng(left + style.Size), CLng(top + style.Size)});
}

// A step along the trail, as a whole number that stays within 16 bits.
int Step(double quotient)
{
    return CInt(Int(quotient));
}

void DrawSegment(Flight& flight, PuffTarget& target, const SmokePoint& p)
{
    const int x1 = p.X1;
    const int y1 = p.Y1;
    const int x2 = p.X2;
    const int y2 = p.Y2;
    const int dx = x2 - x1;
    const int dy = y2 - y1;
    const int age = p.Age;
    const int length = flight.Settings.SmokeLength;
    const bool alongX = std::abs(dy) < std::abs(dx);

    int sx = 0;
    int sy = 0;
    double t = 0;
    PuffStyle style{ShadeBase(age, length), 3, 0, 0};
    if (age <= NewSmokeAge) {
        sx = Step(dx / 4.0);
        sy = Step(dy / 4.0);
        t = (age + 3.0) * p.Scale / 8;
    } else {
        const double r = double(age) / length;
        sx = Step(dx / (3 - r * r));
        sy = Step(dy / (3 - r * r));
        t = (r * r + 1) * p.Scale * 1.3;
        style.Choices = alongX ? 3 : 2;
    }
    style.HalfSize = Int(3.2 * t);
    style.Size = Int(6.4 * t);

    if (alongX) {
        if (sx == 0)
            sx = dx < 0 ? -1 : 1;
        double y = y1;
        for (int x = x1; sx > 0 ? x <= x2 : x >= x2; x += sx) {
            DrawPuff(flight, target, style, x, y);
            y += sy;
        }
    } else {
        if (sy == 0)
            sy = dy < 0 ? -1 : 1;
        double x = x1;
        for (int y = y1; sy > 0 ? y <= y2 : y >= y2; y += sy) {
            DrawPuff(flight, target, style, x, y);
            x += sx;
        }
    }
}

}  // namespace

void DrawSmoke(Flight& flight, PuffTarget& target)
{
    const int length = flight.Settings.SmokeLength;
    for (int i = 0; i < SmokeSlotsUsed; ++i) {
        SmokePoint& p = flight.SmokePoints[static_cast<size_t>(i)];
        if (p.Used != 1)
            continue;
        SmoothCorner(flight, p);
        DrawSegment(flight, target, p);
        const int age = p.Age + 1;
        if (length < age)
            p.Used = 0;
        p.Age = CInt(age);
    }
}
