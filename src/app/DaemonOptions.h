#pragma once

#include "SaverSettings.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

// Where a screen-saver daemon, or someone trying the program out, wants the show.
enum class ShowPlace {
    OwnWindow,  // -window: an ordinary window of its own
    Root,       // -root: the daemon's window from XSCREENSAVER_WINDOW, else the root window
    WindowId,   // -window-id <id>: that window
};

// Settings the daemon's options dialog may pass; they hold for this run only and are
// never saved.
struct ShowOverrides {
    std::optional<int16_t> AirplaneKind;    // --kind
    std::optional<int16_t> FlightMode;      // --flight-mode
    std::optional<int16_t> BlueCount;       // --count
    std::optional<int16_t> SmokeMode;       // --smoke / --no-smoke
    std::optional<int16_t> BackgroundMode;  // --background
};

struct DaemonOptions {
    ShowPlace Place = ShowPlace::OwnWindow;
    // The window to draw into; 0 with Root means the root window itself.
    uint32_t WindowId = 0;
    ShowOverrides Overrides;
    bool Help = false;  // -help: print the usage and end
};

struct DaemonParse {
    std::optional<DaemonOptions> Options;
    QString Error;  // why the arguments were refused, when Options is empty
};

// True when the arguments are in the daemons' style (the first one begins with a dash)
// rather than a /s /p /c switch.
bool IsDaemonCommandLine(const QStringList& arguments);

// Reads the daemons' arguments. Options take one or two leading dashes and a value
// either as the next argument or after '='. -window-id wins over -root and -window;
// between those two the last one counts. `screensaverWindow` is the value of
// XSCREENSAVER_WINDOW, used only with -root.
DaemonParse ParseDaemonOptions(const QStringList& arguments, const QString& screensaverWindow);

// An X window id written as 0x hexadecimal or decimal; nothing for anything else,
// zero included.
std::optional<uint32_t> ParseWindowId(const QString& text);

void ApplyOverrides(const ShowOverrides& overrides, SaverSettings& settings);
