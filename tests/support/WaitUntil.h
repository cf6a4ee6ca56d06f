#pragma once

#include <QElapsedTimer>
#include <QImage>
#include <QThread>

#include <algorithm>

// Waits until the condition holds or the time is up. The pause between looks grows,
// so a long wait for a condition that starts a process (xwininfo) or scans /proc does
// not add to the load it waits out.
template <typename Condition>
bool WaitUntil(Condition condition, int ms)
{
    QElapsedTimer timer;
    timer.start();
    int pauseMs = 20;
    while (!condition()) {
        if (timer.elapsed() > ms)
            return false;
        QThread::msleep(pauseMs);
        pauseMs = std::min(pauseMs * 2, 100);
    }
    return true;
}

// Takes pictures until `ready` holds for one, or the time is up, and returns the last.
template <typename Take, typename Ready>
QImage PictureWhen(Take take, Ready ready, int ms)
{
    QImage shot;
    WaitUntil(
        [&] {
            shot = take();
            return !shot.isNull() && ready(shot);
        },
        ms);
    return shot;
}
