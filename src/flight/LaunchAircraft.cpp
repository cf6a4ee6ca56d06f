#include "LaunchAircraft.h"

#include "Flight.h"
#include "FormationLaunch.h"
#include "SoloLaunch.h"

void LaunchAircraft(Flight& flight)
{
    if (flight.Settings.FlightMode != 1) {
        LaunchSoloAircraft(flight);
        return;
    }
    if (flight.FormationFlying != 0) {
        CheckFormationRetired(flight);
        return;
    }
    LaunchFormation(flight);
}
