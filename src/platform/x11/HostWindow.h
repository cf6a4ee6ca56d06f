#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <QSize>
#include <cstdint>
#include <optional>

// The size cut to the display's (the root window's) on each side.
QSize CapToDisplay(QSize size);

// A window of another process that we draw into (the preview's host, or a screen-saver
// daemon's window). Qt reports a foreign window as 0 x 0 and says nothing when it goes
// away, so its size is asked of the X server and its structure events are watched here.
// Sizes are cut to the display's: no more of a window can be seen, and a host of 30000 x
// 30000 would otherwise have the show allocate gigabytes. What we draw covers the host
// from its top-left corner.
class HostWindow : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT
public:
    explicit HostWindow(uint32_t windowId, QObject* parent = nullptr);
    ~HostWindow() override;

    uint32_t Id() const { return id_; }

    // The window's size, or nothing when the id names no viewable InputOutput window on
    // the display (a pixmap, an InputOnly or an unmapped window).
    std::optional<QSize> QuerySize() const;

    // Starts watching the window for resizes and its destruction.
    void Watch();

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

signals:
    // The new size, cut to the display's as QuerySize does.
    void Resized(QSize size);
    void Destroyed();

private:
    uint32_t id_;
    bool watching_ = false;
};
