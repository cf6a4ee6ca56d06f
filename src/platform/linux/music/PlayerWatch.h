#pragma once

#include <sys/types.h>

// The small process that stands between the show and its external player. It starts
// the player in a process group of its own and adopts whatever the player leaves
// behind (it is a child subreaper), so everything the player starts stays within its
// reach. When the show closes the control pipe, or dies and the kernel closes it, the
// watch asks the group and every adopted process to close with SIGTERM, gives them
// PlayerCloseGraceMs, then kills what is left and ends. It also ends by itself once
// the player and all it started have ended.
inline constexpr int PlayerCloseGraceMs = 1000;

// The watch's process name, so ps and top tell it from the show it was forked from.
inline constexpr char PlayerWatchName[] = "kestrova-watch";

// What the watch reports on the report pipe: the player's process id once it is
// forked, or the errno that kept it from starting (fork or exec).
struct PlayerWatchReport {
    enum Kind : int { Started = 1, Failed = 2 };
    int ReportKind;
    int Value;
};

// Runs in the child just forked from the show and never returns. Only async-signal-
// safe calls: the show has other threads. control is read until end of file; report
// is written and closed once the player runs.
[[noreturn]] void RunPlayerWatch(int control, int report, const char* program, char* const* argv,
                                 char* const* environment);
