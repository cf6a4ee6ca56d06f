#pragma once

struct Flight;

// Once per frame before StepAircraft. Formation flight ("flight mode" 1): launches a
// random formation when none is flying, otherwise freezes retired members and notes when
// all have gone. Any other flight mode: relaunches every retired solo aircraft.
void LaunchAircraft(Flight& flight);
