#pragma once

#include <windows.h>

#include <vector>

// Where the monitors lie on the desktop, in physical pixels.

// The primary monitor: its top-left corner is the desktop's origin.
RECT PrimaryMonitor();
// Every monitor but the primary, in the order Windows lists them.
std::vector<RECT> OtherMonitors();
