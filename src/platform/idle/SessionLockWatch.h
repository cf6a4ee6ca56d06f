#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>

class QDBusPendingCallWatcher;

// Tells when the session is being locked or the machine is about to sleep, so a show
// never stays over a lock screen: logind's Lock for this session and PrepareForSleep(true)
// on the system bus, GNOME's and KDE's screen saver turning active on the session bus.
// A bus that is not there is not asked; nothing here waits for an answer.
class SessionLockWatch : public QObject {
    Q_OBJECT
public:
    SessionLockWatch();

signals:
    // Once per event that says so, with who said it.
    void Locking(const QString& why);

private slots:
    void SessionLocked();
    void PrepareForSleep(bool sleeping);
    void ScreenSaverActive(bool active);

private:
    void FollowSession(QDBusPendingCallWatcher* reply);

    QDBusConnection system_;
};
