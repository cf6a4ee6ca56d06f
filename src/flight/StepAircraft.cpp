#include "StepAircraft.h"

#include "Flight.h"
#include "FlightSettings.h"
#include "FrameCanvas.h"
#include "MoveAircraft.h"
#include "RecordSmokePoint.h"
#include "SteerAircraft.h"

namespace {

void MoveAndRetire(Flight& flight, int n)
{
    for (int i = 0; i < n; ++i) {
        PlaneState& plane = flight.Planes[i];
        if (plane.Delay >= 1)
            continue;
        MoveAircraft(flight, i);
        if (IsInsideScreen(flight, plane))
            continue;
        // A formation member still flying its program may leave and come back.
        if (flight.Settings.FlightMode == 1 && plane.Mode == 1)
            continue;
        plane.Active = 0;
        plane.Smoke = 0;
    }
}

void DrawSteerAndRecord(Flight& flight, FrameCanvas& canvas, int n)
{
    const bool smokeOn = flight.Settings.SmokeMode == 1;
    for (int i = 0; i < n; ++i) {
        PlaneState& plane = flight.Planes[i];
        if (plane.Delay >= 1) {
            --plane.Delay;
            continue;
        }
        canvas.DrawSprite(flight, i);
        SteerAircraft(flight, i);
        if (smokeOn && plane.Smoke == 1)
            RecordSmokePoint(flight, i);
        plane.OldX = plane.X;
        plane.OldY = plane.Y;
    }
}

}  // namespace

void StepAircraft(Flight& flight, FrameCanvas& canvas)
{
    canvas.CopyBackground();
    const int n = AircraftInUse(flight.Settings);
    MoveAndRetire(flight, n);
    if (flight.Settings.SmokeMode == 1)
        canvas.DrawSmoke(flight);
    DrawSteerAndRecord(flight, canvas, n);
    canvas.Present();
}
