#pragma once

struct Flight;

// Sends in a random formation 1..5: stores its member count as the in-memory "number of
// blue", draws the size step r, the entry side and the reference point once, and places
// every member by its slot.
void LaunchFormation(Flight& flight);

// While a formation flies: keeps retired members frozen and hidden (Delay 1) and clears
// FormationFlying once no member is active, so the next call launches the next formation.
void CheckFormationRetired(Flight& flight);
