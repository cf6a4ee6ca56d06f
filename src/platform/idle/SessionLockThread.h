#pragma once

#include <QString>
#include <QThread>

#include <functional>

// Runs a SessionLockWatch on a thread of its own, so a show that waits in poll() rather
// than in Qt's event loop hears it too, and a bus that is slow to answer holds up
// nothing. onLocking is called on that thread.
class SessionLockThread : public QThread {
public:
    explicit SessionLockThread(std::function<void(const QString& why)> onLocking);
    ~SessionLockThread() override;

protected:
    void run() override;

private:
    std::function<void(const QString&)> onLocking_;
};
