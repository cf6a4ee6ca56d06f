#pragma once

// The end-to-end tests wait for what they look for; their limits only catch a hang. A
// loaded machine running the sanitizer build, several times slower, must still meet
// them. How fast the program answers is measured in bench/, not asserted here.

#if defined(__SANITIZE_ADDRESS__)
constexpr int SlowdownFactor = 4;
#else
constexpr int SlowdownFactor = 1;
#endif

// From starting a process to what it shows first: an X server, a window, a drawn frame.
constexpr int StartLimitMs = 30000 * SlowdownFactor;
// From a signal, input or a lost window to the end of the process.
constexpr int ExitLimitMs = 15000 * SlowdownFactor;
