#pragma once

struct Flight;

// One frame of steering for aircraft i: a rare random turn in free flight (Mode 0),
// the next program character when its Wait has run out in program flight (Mode 1),
// nothing for any other Mode. Changes only Dir, Smoke, LastSmoke, Prog, Pos, Wait,
// Mode and Turned.
void SteerAircraft(Flight& flight, int i);
