#pragma once

#include "FlightRecords.h"
#include "SaverSettings.h"

#include <algorithm>
#include <cstdint>

// The two settings whose stored value the flight model must limit before using it: the
// store keeps whatever the file holds.

// Course unit U in frames: 31 - "step of blue". The dialog keeps the step within 1..30;
// a stored value outside it is clamped so that U stays 1..30 (31 would divide by zero).
inline int16_t CourseUnit(const SaverSettings& settings)
{
    return static_cast<int16_t>(31 - std::clamp<int>(settings.BlueStep, 1, 30));
}

// Aircraft in use, N: the in-memory "number of blue", never beyond the 100 records.
inline int AircraftInUse(const SaverSettings& settings)
{
    return std::clamp<int>(settings.BlueCount, 0, PlaneCount);
}
