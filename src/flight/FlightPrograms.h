#pragma once

#include <string>

struct Flight;

// The extra straight units spliced into most programs on wider screens: "1" at 800
// pixels, "2" at 1024, "3" at 1152, "4" at 1280, "5" at 1600, nothing at any other width.
std::string ScreenDigit(int screenWidth);

// Fills FlightPrograms 0..28 for the flight's screen width and sets SoloProgramCount
// to 5 (programs 0..4 are the solo pool, the rest belong to formation slots).
void BuildFlightPrograms(Flight& flight);
