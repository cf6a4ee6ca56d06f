#pragma once

#include "FlightRecords.h"
#include "RandomSource.h"
#include "SaverSettings.h"

#include <array>
#include <cstdint>
#include <string>

class FrameCanvas;

// One formation member's place.
struct FormationSlot {
    float OffX = 0;      // across the flight direction, course units (+ = right of an aircraft flying up)
    float OffY = 0;      // along the flight direction, course units (- = ahead)
    int16_t Dir = 0;
    int16_t Scale = 0;
    int16_t Prog = 0;
    float Delay = 0;     // start delay, course units
};

struct Formation {
    int16_t Count = 0;
    std::array<FormationSlot, 11> Member{};
};

// Everything the two-dimensional flight shares: aircraft, smoke pool, tables, the
// random source and the in-memory settings. One object per show; a test makes a
// fresh one. Nothing here is allocated per frame.
struct Flight {
    Flight(SaverSettings& settings, int16_t screenWidth, int16_t screenHeight, uint64_t seed = 1)
        : Settings(settings), ScreenWidth(screenWidth), ScreenHeight(screenHeight), Random(seed)
    {
    }

    double Rnd() { return Random.Rnd(); }

    // In-memory settings of the running show (the launcher overwrites "number of blue"
    // in formation flight; the 3D show sets "length of smoke" to 500).
    SaverSettings& Settings;
    int16_t ScreenWidth;   // W, show size in pixels
    int16_t ScreenHeight;  // H
    RandomSource Random;

    PlaneArray Planes{};
    SmokePointArray SmokePoints{};
    // Aircraft that last recorded each smoke slot. A trail is continued only from a
    // point its own aircraft recorded and that is still in use, so a slot freed and
    // reused by another trail while this one could not record is never linked into it.
    std::array<int16_t, SmokeSlotCount> SmokeOwner{};
    std::array<int16_t, KindCount> KindCellSize{};

    std::array<std::string, 101> FlightPrograms{};
    int16_t SoloProgramCount = 0;
    std::array<Formation, 51> Formations{};
    int16_t MaxFormation = 0;
    int16_t FormationFlying = 0;
    int16_t KindChangeRequest = 0;
};
