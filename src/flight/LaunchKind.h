#pragma once

#include "Flight.h"
#include "Numbers.h"

#include <cstdint>

// Every launched aircraft's KindSlot: a random slot 0..5 for the stored kind 100 (which
// the dialog never writes; StartFlightModel gives all slots the loaded kind's edge),
// otherwise slot 0. The draw is part of the launch's random sequence.
inline int16_t LaunchKindSlot(Flight& flight)
{
    if (flight.Settings.AirplaneKind == 100)
        return static_cast<int16_t>(Int(flight.Rnd() * 6));
    return 0;
}
