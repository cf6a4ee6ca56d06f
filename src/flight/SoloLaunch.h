#pragma once

struct Flight;

// Launches every retired aircraft among the N in use from a random screen edge with a
// random size, heading, mode, solo program and start delay.
void LaunchSoloAircraft(Flight& flight);
