#include "SteerAircraft.h"

#include "Flight.h"
#include "FlightSettings.h"
#include "Numbers.h"

#include <limits>
#include <string_view>

namespace {

// Headings wrap within 0..7 even if a record was handed an odd value, so the
// renderer never picks a heading picture that does not exist.
int16_t TurnedClockwise(int16_t dir)
{
    return static_cast<int16_t>(((dir + 1) % 8 + 8) % 8);
}

int16_t TurnedCounterClockwise(int16_t dir)
{
    return static_cast<int16_t>(((dir - 1) % 8 + 8) % 8);
}

// The program an aircraft flies; an index outside the table reads as an empty program,
// which ends after one unit like any other.
std::string_view ProgramOf(const Flight& flight, int16_t prog)
{
    if (prog < 0 || prog >= static_cast<int>(flight.FlightPrograms.size()))
        return {};
    return flight.FlightPrograms[prog];
}

void SteerFreeFlight(Flight& flight, PlaneState& plane)
{
    if (Int(flight.Rnd() * 400) >= 1)
        return;
    if (Int(flight.Rnd() * 2) == 0)
        plane.Dir = TurnedClockwise(plane.Dir);
    else
        plane.Dir = TurnedCounterClockwise(plane.Dir);
    plane.Turned = 1;
}

void SteerProgramFlight(Flight& flight, PlaneState& plane)
{
    if (plane.Wait > 1) {
        --plane.Wait;
        return;
    }
    const int16_t unit = CourseUnit(flight.Settings);
    const std::string_view program = ProgramOf(flight, plane.Prog);
    // Past the end (or before the start) the character is empty: one straight unit.
    const char c = (plane.Pos >= 1 && plane.Pos <= static_cast<int>(program.size())) ? program[plane.Pos - 1] : '\0';

    if (c >= '1' && c <= '9') {
        plane.Wait = static_cast<int16_t>((c - '0') * unit);
    } else {
        switch (c) {
        case 'l':
        case 'L':
            plane.Dir = TurnedCounterClockwise(plane.Dir);
            plane.Turned = 1;
            break;
        case 'r':
        case 'R':
            plane.Dir = TurnedClockwise(plane.Dir);
            plane.Turned = 1;
            break;
        case 's':
        case 'S':
            plane.Smoke = static_cast<int16_t>(1 - plane.Smoke);
            plane.LastSmoke = -1;  // the next point starts a new trail
            break;
        default:
            break;
        }
        plane.Wait = unit;
    }

    if (plane.Pos < std::numeric_limits<int16_t>::max())
        ++plane.Pos;
    if (plane.Pos > static_cast<int>(program.size())) {
        if (flight.Settings.FlightMode == 0) {
            plane.Prog = static_cast<int16_t>(Int(flight.Rnd() * flight.SoloProgramCount));
            plane.Pos = 1;
        } else {
            plane.Mode = 0;
        }
    }
}

}  // namespace

void SteerAircraft(Flight& flight, int i)
{
    PlaneState& plane = flight.Planes[i];
    if (plane.Mode == 0)
        SteerFreeFlight(flight, plane);
    else if (plane.Mode == 1)
        SteerProgramFlight(flight, plane);
}
