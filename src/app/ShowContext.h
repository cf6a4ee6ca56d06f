#pragma once

#include "SaverSettings.h"
#include "ShowLoop.h"
#include "StartFailure.h"

#include <QImage>
#include <QString>
#include <QScreen>
#include <cstdint>
#include <functional>

class MusicController;
class ShowHost;

// What the start-up has prepared when it takes the 2D or the 3D road.
struct ShowContext {
    SaverSettings& Settings;      // in-memory settings of this show
    ShowFlags& Flags;
    MusicController& Music;
    QScreen* Screen = nullptr;
    int16_t ScreenWidth = 0;      // show size in pixels
    int16_t ScreenHeight = 0;
    QImage Background;            // ScreenWidth x ScreenHeight
    uint64_t Seed = 0;
    // Set when a screen-saver daemon placed the show: its window, the root window or a
    // window of its own. Null for the full-screen show.
    ShowHost* Host = nullptr;
    // The background for another show size (the place was resized); null image on failure.
    std::function<QImage(int width, int height)> BackgroundFor;
};

// Tells the user why the show cannot start or go on: the message box of `failure` about
// `file`, and `detail` in English on standard error.
void ShowStartError(StartFailure failure, const QString& detail, const QString& file = {});
// From now on ShowStartError writes to standard error only: behind a daemon's window
// nobody could see or close a message box.
void QuietShowStartErrors();

// With KESTROVA_STATS=1, prints at the end of the show the presented frames, wall and CPU
// seconds of the show loop, and a second line with the start-up time (process start to
// first presented frame, when known) and the peak resident memory.
void ReportShowStats(long presentedFrames, double wallSeconds, double firstFrameMs = -1);
