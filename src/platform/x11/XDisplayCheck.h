#pragma once

#include <QString>

// Why no X display can be used, in one sentence for the user, or empty when one can.
// Qt ends the process with an abort when it finds no display, so this is asked first.
// A platform other than X chosen through QT_QPA_PLATFORM is left to Qt. displayName is
// the -display argument, or null for DISPLAY.
QString XDisplayProblem(const char* displayName);
