#pragma once

#include "HostWindow.h"

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QSize>
#include <QWindow>

#include <cstdint>
#include <functional>
#include <memory>

class QScreen;

// Where a show started by a screen-saver daemon draws: inside a window of another
// process (the daemon's), on the root window, or in an ordinary window of its own.
// The show window is placed there, follows the place's size and is never given the
// keyboard or the pointer: the daemon decides when the show ends, so input belongs
// to it.
class ShowHost : public QObject {
    Q_OBJECT
public:
    // A window of another process; empty when the id names no window on the display.
    static std::unique_ptr<ShowHost> Embedding(uint32_t windowId);
    // The root window of the display.
    static std::unique_ptr<ShowHost> OnRoot();
    // An ordinary, resizable window of the given size in pixels.
    static std::unique_ptr<ShowHost> OwnWindow(QSize size);

    ~ShowHost() override;

    // The size the show should have now, in pixels.
    QSize Size() const;

    // The desktop behind the place, for the desktop-snapshot background: the picture
    // a daemon took before it covered the screen, else what the place shows now (the
    // whole desktop for a window of its own). Taken before the show window appears.
    QImage Snapshot() const;

    // Shows the window in its place. From then on it follows the place's size, and
    // OnGone is called once when the host window is destroyed or the own window closed.
    void Place(QWindow& window);
    std::function<void()> OnGone;

private:
    enum class Kind { Embedded, Root, Own };
    ShowHost(Kind kind, uint32_t windowId, QSize size);
    bool eventFilter(QObject* watched, QEvent* event) override;
    void Gone();

    Kind kind_;
    HostWindow host_;
    QSize size_;
    std::unique_ptr<QWindow> foreign_;
    QPointer<QWindow> placed_;
    bool gone_ = false;
};
