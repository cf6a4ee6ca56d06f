#pragma once

#include <QImage>

#include <cstdint>

// XScreenSaver photographs the screen before it blanks it and hangs the picture on
// each of its windows (property _SCREENSAVER_SCREENSHOT, a pixmap of the window's
// size). The show under it takes its desktop background from there, since the screen
// itself is already covered. A null image when the window carries no such picture.
QImage ReadDaemonScreenshot(uint32_t window);
