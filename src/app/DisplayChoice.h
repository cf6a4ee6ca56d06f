#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The two kinds of display the Linux program can show on.
enum class DisplaySide { Wayland, X11 };

// --wayland or --x11, wherever it stands on the command line, taken out of it; of
// several the last counts. Nothing when neither is given.
std::optional<DisplaySide> TakeDisplayWish(QStringList& arguments);

// What to say when the show or the dialogs have no display to go to: the wished side's
// own problem, or, unwished, one line naming the Wayland display that does not answer
// and the X display's problem (xProblem, which begins "needs an X display").
QString NoDisplayMessage(std::optional<DisplaySide> wish, const QString& xProblem);
