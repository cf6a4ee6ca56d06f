#pragma once

#include <cstdint>

class QApplication;

// The three run modes and the password message; each returns the process's exit status.
int RunShowMode();
int RunOptionsMode();
int RunPreviewMode(uint32_t hostWindow);
int RunPasswordMode();
