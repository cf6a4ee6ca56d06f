#include "SessionLockWatch.h"

#include "SessionBus.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace {
const QString Login = QStringLiteral("org.freedesktop.login1");
const QString LoginPath = QStringLiteral("/org/freedesktop/login1");
const QString LoginManager = QStringLiteral("org.freedesktop.login1.Manager");
}  // namespace

SessionLockWatch::SessionLockWatch() : system_(QDBusConnection::systemBus())
{
    if (system_.isConnected()) {
        system_.connect(Login, LoginPath, LoginManager, QStringLiteral("PrepareForSleep"), this,
                        SLOT(PrepareForSleep(bool)));
        // "auto": this process's session, or the user's graphical one when the program
        // runs outside any (started by a user service).
        QDBusMessage call = QDBusMessage::createMethodCall(Login, LoginPath, LoginManager, QStringLiteral("GetSession"));
        call << QStringLiteral("auto");
        auto* reply = new QDBusPendingCallWatcher(system_.asyncCall(call), this);
        connect(reply, &QDBusPendingCallWatcher::finished, this, &SessionLockWatch::FollowSession);
    }
    if (!SessionBusKnown())
        return;
    QDBusConnection session = QDBusConnection::sessionBus();
    if (!session.isConnected())
        return;
    session.connect(QStringLiteral("org.gnome.ScreenSaver"), QStringLiteral("/org/gnome/ScreenSaver"),
                    QStringLiteral("org.gnome.ScreenSaver"), QStringLiteral("ActiveChanged"), this,
                    SLOT(ScreenSaverActive(bool)));
    // KDE's screen locker answers at both paths.
    for (const QString& path : {QStringLiteral("/ScreenSaver"), QStringLiteral("/org/freedesktop/ScreenSaver")})
        session.connect(QStringLiteral("org.freedesktop.ScreenSaver"), path, QStringLiteral("org.freedesktop.ScreenSaver"),
                        QStringLiteral("ActiveChanged"), this, SLOT(ScreenSaverActive(bool)));
}

void SessionLockWatch::FollowSession(QDBusPendingCallWatcher* reply)
{
    reply->deleteLater();
    const QDBusPendingReply<QDBusObjectPath> session = *reply;
    // Without a session (no logind, or a user without one) only sleep is heard of.
    if (session.isError())
        return;
    system_.connect(Login, session.value().path(), QStringLiteral("org.freedesktop.login1.Session"),
                    QStringLiteral("Lock"), this, SLOT(SessionLocked()));
}

void SessionLockWatch::SessionLocked()
{
    emit Locking(QStringLiteral("the session is being locked"));
}

void SessionLockWatch::PrepareForSleep(bool sleeping)
{
    if (sleeping)
        emit Locking(QStringLiteral("the machine is going to sleep"));
}

void SessionLockWatch::ScreenSaverActive(bool active)
{
    if (active)
        emit Locking(QStringLiteral("the desktop's screen locker is active"));
}
