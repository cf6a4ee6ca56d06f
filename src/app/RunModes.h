#pragma once

#include <QStringList>

#include <cstdint>

class QApplication;
struct DaemonOptions;

// The three run modes and the password message; each returns the process's exit status.
int RunShowMode();
// The show on every output of a Wayland compositor, as a client of its own.
int RunWaylandShowMode();
int RunOptionsMode();
int RunPreviewMode(uint32_t hostWindow);
int RunPasswordMode();
// --idle: waits for the session to be idle for idleMs, then runs the show (this program
// with showArguments) until it ends, and waits again.
int RunIdleWatchMode(int& argc, char** argv, int idleMs, const QStringList& showArguments);
// A show started by a screen-saver daemon (or -window to try it): see DaemonOptions.
int RunDaemonMode(const DaemonOptions& options);
