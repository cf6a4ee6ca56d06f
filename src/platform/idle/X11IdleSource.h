#pragma once

#include "IdleSource.h"

#include <QElapsedTimer>
#include <QSocketNotifier>
#include <QTimer>

#include <memory>

struct xcb_connection_t;

// Idleness from the X server's screen-saver extension (MIT-SCREEN-SAVER), which tells
// how long ago the last input came. It sends an event only when the server's own saver
// starts, at the time `xset s` set for every client; rather than change that setting
// for the whole session, the source sleeps until the earliest moment the idle time can
// be reached and asks then. While the user keeps working that is one wake-up per idle
// time; after Idle() it looks for input once per idle time.
class X11IdleSource : public IdleSource {
    Q_OBJECT
public:
    explicit X11IdleSource(int idleMs);
    ~X11IdleSource() override;

    // What keeps it from watching (no X display, no extension); empty when it watches.
    const QString& Problem() const { return problem_; }
    QString Name() const override { return QStringLiteral("the X server's screen-saver extension"); }

private:
    void Check();
    void Drain();

    int idleMs_;
    QString problem_;
    xcb_connection_t* connection_ = nullptr;
    uint32_t root_ = 0;
    bool idle_ = false;
    QElapsedTimer sinceIdle_;
    QTimer timer_;
    std::unique_ptr<QSocketNotifier> readable_;
};
