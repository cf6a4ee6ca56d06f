#include "MoveAircraft.h"

#include "Flight.h"
#include "FlightSettings.h"
#include "Numbers.h"

void MoveAircraft(Flight& flight, int i)
{
    PlaneState& p = flight.Planes[i];
    const double step = 45.0 * p.Scale / CourseUnit(flight.Settings);
    const double diagonal = step / 1.42;
    switch (p.Dir) {
    case 0: p.Y = CInt(p.Y - step); break;
    case 1: p.X = CInt(p.X + diagonal); p.Y = CInt(p.Y - diagonal); break;
    case 2: p.X = CInt(p.X + step); break;
    case 3: p.X = CInt(p.X + diagonal); p.Y = CInt(p.Y + diagonal); break;
    case 4: p.Y = CInt(p.Y + step); break;
    case 5: p.X = CInt(p.X - diagonal); p.Y = CInt(p.Y + diagonal); break;
    case 6: p.X = CInt(p.X - step); break;
    case 7: p.X = CInt(p.X - diagonal); p.Y = CInt(p.Y - diagonal); break;
    default: break;  // no heading, no movement
    }
}

bool IsInsideScreen(const Flight& flight, const PlaneState& plane)
{
    const int margin = 45 * plane.Scale;
    return plane.X >= -margin && plane.X <= flight.ScreenWidth + margin && plane.Y >= -margin &&
           plane.Y <= flight.ScreenHeight + margin;
}
