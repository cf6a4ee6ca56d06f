#pragma once

#include "ShowSize.h"
#include "Surface.h"

#include <windows.h>

#include <cstdint>
#include <vector>

// Where the monitors lie on the desktop, in physical pixels.

// The primary monitor: its top-left corner is the desktop's origin.
RECT PrimaryMonitor();
// Every monitor but the primary, in the order Windows lists them.
std::vector<RECT> OtherMonitors();

// A monitor other than the primary as its show takes it: where it lies, the show's size
// there, the background made for it and the seed of its flight.
struct OtherMonitorShow {
    RECT Monitor;
    ShowSize Size;
    Surface Background;
    uint64_t Seed;
};
