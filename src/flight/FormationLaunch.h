#pragma once

struct Flight;

// Sends in a random formation 1..5 (FormationFlying = 1, then SendFormation).
void LaunchFormation(Flight& flight);

// The launch of formation f (0..50) once its number is drawn: stores its member count as
// the in-memory "number of blue", draws r, the side and the reference point, places members.
void SendFormation(Flight& flight, int formation);

// While a formation flies: keeps retired members frozen and hidden (Delay 1) and clears
// FormationFlying once no member is active, so the next call launches the next formation.
void CheckFormationRetired(Flight& flight);
