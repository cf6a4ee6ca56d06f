#pragma once

// Milliseconds since this process was started by the kernel (not since main()), so a
// start-up figure includes loading the program and its libraries.
double MillisecondsSinceProcessStart();

// The process's peak resident memory so far, in megabytes.
double PeakResidentMegabytes();
