#include "StartFlightModel.h"

#include "Flight.h"
#include "FlightPrograms.h"
#include "FlightSettings.h"
#include "Formations.h"
#include "Numbers.h"

namespace {

constexpr int16_t RandomKind = 101;

int16_t ChooseKind(Flight& flight)
{
    int16_t kind = flight.Settings.AirplaneKind;
    if (kind == RandomKind) {
        flight.KindChangeRequest = 0;
        kind = static_cast<int16_t>(Int(flight.Rnd() * KindCount));
    }
    if (kind < 0 || kind >= KindCount)
        kind = 0;
    return kind;
}

}  // namespace

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
