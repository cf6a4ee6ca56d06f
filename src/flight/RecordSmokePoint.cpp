#include "RecordSmokePoint.h"

#include "Flight.h"

namespace {

int FirstFreeSmokeSlot(const Flight& flight)
{
    for (int k = 0; k < SmokeSlotsUsed; ++k) {
        if (flight.SmokePoints[k].Used == 0)
            return k;
    }
    return -1;
}

// The point the new segment follows, or -1 for a new trail. The aircraft's newest point
// may have aged out (and perhaps gone to another trail) while the pool was full.
int16_t TrailToContinue(const Flight& flight, int i)
{
    const int16_t last = flight.Planes[i].LastSmoke;
    if (last < 0 || last >= SmokeSlotsUsed)
        return -1;
    if (flight.SmokePoints[last].Used == 0 || flight.SmokeOwner[last] != i)
        return -1;
    return last;
}

}  // namespace

void RecordSmokePoint(Flight& flight, int i)
{
    const int k = FirstFreeSmokeSlot(flight);
    if (k < 0)
        return;
    PlaneState& plane = flight.Planes[i];
    const int16_t previous = TrailToContinue(flight, i);

    SmokePoint& point = flight.SmokePoints[k];
    point.Used = 1;
    point.X1 = plane.OldX;
    point.Y1 = plane.OldY;
    point.X2 = plane.X;
    point.Y2 = plane.Y;
    point.Scale = plane.Scale;
    point.Age = 0;
    point.PrevPt = previous;
    if (previous != -1)
        flight.SmokePoints[previous].NextPt = static_cast<int16_t>(k);
    point.NextPt = -1;
    plane.LastSmoke = static_cast<int16_t>(k);
    flight.SmokeOwner[k] = static_cast<int16_t>(i);

    // Steering ran before this, so the point carrying the count ends at the corner.
    if (plane.Turned == 1) {
        point.Smooth = flight.Settings.ComplementCount;
        plane.Turned = 0;
    } else {
        point.Smooth = 0;
    }
}
