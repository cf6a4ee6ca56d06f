#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <QSize>
#include <cstdint>
#include <optional>

// A window of another process that we draw into (the preview's host, or a screen-saver
// daemon's window). Qt reports a foreign window as 0 x 0 and says nothing when it goes
// away, so its size is asked of the X server and its structure events are watched here.
class HostWindow : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT
public:
    explicit HostWindow(uint32_t windowId, QObject* parent = nullptr);
    ~HostWindow() override;

    uint32_t Id() const { return id_; }

    // The window's size, or nothing when the id names no window on the display.
    std::optional<QSize> QuerySize() const;

    // Starts watching the window for resizes and its destruction.
    void Watch();

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

signals:
    void Resized(QSize size);
    void Destroyed();

private:
    uint32_t id_;
    bool watching_ = false;
};
