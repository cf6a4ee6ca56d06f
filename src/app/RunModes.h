#pragma once

#include <cstdint>

class QApplication;
struct DaemonOptions;

// The three run modes and the password message; each returns the process's exit status.
int RunShowMode();
int RunOptionsMode();
int RunPreviewMode(uint32_t hostWindow);
int RunPasswordMode();
// A show started by a screen-saver daemon (or -window to try it): see DaemonOptions.
int RunDaemonMode(const DaemonOptions& options);
