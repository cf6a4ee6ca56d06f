#pragma once

#include <QDBusConnection>
#include <QImage>
#include <QString>

#include <chrono>

// The whole workspace as KWin on `bus` shows it now, in its real pixels, through
// org.kde.KWin.ScreenShot2 (no file, no dialog). KWin grants it only to an executable named
// by absolute path in an installed desktop entry that lists the interface. Null where KWin
// is not on the session bus, refuses or does not answer within `wait`; `reason` then says
// why, empty when KWin is simply not there.
QImage KWinWorkspace(QDBusConnection bus, std::chrono::milliseconds wait, QString* reason);
