#include "FormationLaunch.h"

#include "Flight.h"
#include "FlightSettings.h"
#include "LaunchKind.h"
#include "Numbers.h"

#include <algorithm>

namespace {

enum class Side { Bottom, Top, Left };

// Drawn once per launch. Bottom and top entries fix the x of the reference point, the
// left entry its y; the other coordinate depends on each member's size.
struct Entry {
    Side side = Side::Bottom;
    double x0 = 0;
    double y0 = 0;
    bool mirrorAlong = false;  // formation 0 from the top also turns its along-track offsets round
};

Entry DrawEntry(Flight& flight, int formation)
{
    const double w = flight.ScreenWidth;
    const double h = flight.ScreenHeight;
    const auto centreFifth = [&] { return static_cast<double>(CInt(Int(flight.Rnd() * w / 6) + (w / 12) * 5)); };
    Entry e;
    switch (formation) {
    case 0:
        if (Int(flight.Rnd() * 2) == 0) {
            e.x0 = CInt(Int(flight.Rnd() * w / 2) + w / 5);
        } else {
            e.side = Side::Top;
            e.x0 = CInt(Int(flight.Rnd() * w / 2) + w / 3);
            e.mirrorAlong = true;
        }
        break;
    case 1:
        switch (static_cast<int>(Int(flight.Rnd() * 3))) {
        case 0: e.x0 = CInt(Int(flight.Rnd() * w / 2) + w / 2); break;
        case 1:
            e.side = Side::Top;
            e.x0 = Int(flight.Rnd() * w / 3);
            break;
        default:
            e.side = Side::Left;
            e.y0 = CInt(Int(flight.Rnd() * h / 3) + 2 * (h / 3));
            break;
        }
        break;
    case 2:
        if (Int(flight.Rnd() * 2) != 0)
            e.side = Side::Top;
        e.x0 = centreFifth();
        break;
    case 3:
    case 5: e.x0 = centreFifth(); break;
    case 4: e.x0 = Int(flight.Rnd() * w / 6); break;
    default: break;  // an empty table entry has no members to place
    }
    return e;
}

// Units of straight flight before the first program character.
int EntryWaitUnits(int formation, Side side, int r)
{
    if (side != Side::Bottom)
        return 1;
    switch (formation) {
    case 2: return 2 - r;
    case 3:
    case 5: return 2;
    default: return 1;
    }
}

// A member's offsets and delay are single precision, which makes the sums and products
// they take part in single precision too: 718 + 45 + 45 x 0.3 is exactly 776.5 there,
// and its half goes to the even neighbour.
double SinglePlace(double reference, double u, float offset)
{
    return static_cast<float>(reference) + static_cast<float>(u) * offset;
}

void PlaceMember(Flight& flight, PlaneState& plane, const FormationSlot& slot, const Entry& e, int formation, int r)
{
    const int16_t unit = CourseUnit(flight.Settings);
    const double h = flight.ScreenHeight;
    // Formations 3 to 5 always fly at size 1: their offsets span up to 19 units.
    plane.Scale = static_cast<int16_t>(slot.Scale + (formation <= 2 ? r : 0));
    const double u = 45.0 * plane.Scale;
    switch (e.side) {
    case Side::Bottom:
        plane.X = CInt(SinglePlace(e.x0, u, slot.OffX));
        plane.Y = CInt(SinglePlace(h - 1 + u, u, slot.OffY));
        plane.Dir = slot.Dir;
        break;
    case Side::Top:
        plane.X = CInt(SinglePlace(e.x0, u, -slot.OffX));
        plane.Y = CInt(SinglePlace(-u, u, e.mirrorAlong ? -slot.OffY : slot.OffY));
        plane.Dir = static_cast<int16_t>((slot.Dir + 4) % 8);
        break;
    case Side::Left:  // offsets across the track become vertical
        plane.X = CInt(SinglePlace(-u, u, slot.OffY));
        plane.Y = CInt(SinglePlace(e.y0, u, slot.OffX));
        plane.Dir = static_cast<int16_t>((slot.Dir + 2) % 8);
        break;
    }
    plane.Active = 1;
    plane.Prog = slot.Prog;
    plane.Pos = 1;
    plane.Mode = 1;
    plane.Smoke = 0;
    plane.Turned = 0;
    plane.Wait = static_cast<int16_t>(unit * EntryWaitUnits(formation, e.side, r));
    plane.Delay = CInt(static_cast<float>(unit) * slot.Delay);
    plane.OldX = plane.X;
    plane.OldY = plane.Y;
    plane.KindSlot = LaunchKindSlot(flight);
}

}  // namespace

void LaunchFormation(Flight& flight)
{
    flight.FormationFlying = 1;
    SendFormation(flight, static_cast<int>(Int(flight.Rnd() * flight.MaxFormation + 1)));
}

void SendFormation(Flight& flight, int formation)
{
    formation = std::clamp(formation, 0, static_cast<int>(flight.Formations.size()) - 1);
    const Formation& f = flight.Formations[formation];
    const int count = std::clamp<int>(f.Count, 0, static_cast<int>(f.Member.size()));
    flight.Settings.BlueCount = static_cast<int16_t>(count);

    const int w = flight.ScreenWidth;
    const int r = static_cast<int>(Int(flight.Rnd() * (1 + (w >= 1024 ? 1 : 0) + (w >= 1600 ? 1 : 0))));
    const Entry entry = DrawEntry(flight, formation);
    for (int i = 0; i < count; ++i)
        PlaceMember(flight, flight.Planes[i], f.Member[i], entry, formation, r);
}

void CheckFormationRetired(Flight& flight)
{
    const int n = AircraftInUse(flight.Settings);
    bool anyFlying = false;
    for (int i = 0; i < n; ++i) {
        PlaneState& plane = flight.Planes[i];
        if (plane.Active == 1)
            anyFlying = true;
        else
            plane.Delay = 1;
    }
    if (!anyFlying)
        flight.FormationFlying = 0;
}
