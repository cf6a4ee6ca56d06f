#include "SoloLaunch.h"

#include "Flight.h"
#include "FlightSettings.h"
#include "LaunchKind.h"
#include "Numbers.h"

namespace {

// 1 or 2 two times in three; otherwise 1..5, and after a 6 anything up to 10, so big
// aircraft are rare.
int16_t DrawScale(Flight& flight)
{
    int16_t scale = CInt(Int(flight.Rnd() * 3) + 1);
    if (scale == 3)
        scale = CInt(Int(flight.Rnd() * 6) + 1);
    if (scale == 6)
        scale = CInt(Int(flight.Rnd() * 10) + 1);
    return scale;
}

// Places the aircraft one sprite edge outside a random side, heading into the screen.
void DrawEntry(Flight& flight, PlaneState& plane)
{
    const double w = flight.ScreenWidth;
    const double h = flight.ScreenHeight;
    const int u = 45 * plane.Scale;
    switch (static_cast<int>(Int(flight.Rnd() * 4))) {
    case 0:  // top
        plane.X = CInt(Int(flight.Rnd() * w));
        plane.Y = CInt(-u);
        plane.Dir = CInt(Int(flight.Rnd() * 3) + 3);
        break;
    case 1:  // right
        plane.X = CInt(w - 1 + u);
        plane.Y = CInt(Int(flight.Rnd() * h));
        plane.Dir = CInt(Int(flight.Rnd() * 3) + 5);
        break;
    case 2:  // bottom
        plane.X = CInt(Int(flight.Rnd() * w));
        plane.Y = CInt(h - 1 + u);
        plane.Dir = static_cast<int16_t>((static_cast<int>(Int(flight.Rnd() * 3)) + 7) % 8);
        break;
    default:  // left
        plane.X = CInt(-u);
        plane.Y = CInt(Int(flight.Rnd() * h));
        plane.Dir = CInt(Int(flight.Rnd() * 3) + 1);
        break;
    }
}

}  // namespace

void LaunchSoloAircraft(Flight& flight)
{
    const int n = AircraftInUse(flight.Settings);
    const int16_t unit = CourseUnit(flight.Settings);
    for (int i = 0; i < n; ++i) {
        PlaneState& plane = flight.Planes[i];
        if (plane.Active != 0)
            continue;
        plane.Active = 1;
        plane.Smoke = 0;
        plane.Turned = 0;
        plane.Scale = DrawScale(flight);
        DrawEntry(flight, plane);
        plane.Mode = static_cast<int16_t>(Int(flight.Rnd() * 2));
        plane.Prog = static_cast<int16_t>(Int(flight.Rnd() * flight.SoloProgramCount));
        plane.Pos = 1;
        plane.Wait = static_cast<int16_t>(5 * unit);  // five units straight in before the first command
        plane.Delay = CInt(flight.Rnd() * 5);
        plane.OldX = plane.X;
        plane.OldY = plane.Y;
        plane.KindSlot = LaunchKindSlot(flight);
    }
}
