#include "StartFlightModel.h"

#include "Flight.h"
#include "FlightPrograms.h"
#include "FlightSettings.h"
#include "Formations.h"
#include "Numbers.h"

namespace {

constexpr int16_t RandomKind = 101;

int16_t KindFor(int16_t stored, RandomSource& random)
{
    int16_t kind = stored;
    if (kind == RandomKind)
        kind = static_cast<int16_t>(Int(random.Rnd() * KindCount));
    if (kind < 0 || kind >= KindCount)
        kind = 0;
    return kind;
}

int16_t ChooseKind(Flight& flight)
{
    if (flight.Settings.AirplaneKind == RandomKind)
        flight.KindChangeRequest = 0;
    return KindFor(flight.Settings.AirplaneKind, flight.Random);
}

}  // namespace

int16_t NextKind(const Flight& flight)
{
    RandomSource peek = flight.Random;
    return KindFor(flight.Settings.AirplaneKind, peek);
}

int16_t KindCellEdge(int kind)
{
    static constexpr int16_t edges[KindCount] = {400, 180, 225, 240, 240, 240};
    return (kind >= 0 && kind < KindCount) ? edges[kind] : edges[0];
}

int16_t StartFlightModel(Flight& flight)
{
    BuildFlightPrograms(flight);
    BuildFormations(flight);

    const int n = AircraftInUse(flight.Settings);
    for (int i = 0; i < n; ++i)
        flight.Planes[i].Active = 0;

    const int16_t kind = ChooseKind(flight);
    flight.KindCellSize.fill(KindCellEdge(kind));

    for (int k = 0; k < SmokeSlotsUsed; ++k)
        flight.SmokePoints[k].Used = 0;

    flight.FormationFlying = 0;
    return kind;
}
