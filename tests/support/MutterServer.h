#pragma once

#include "TimeLimits.h"
#include "WaitUntil.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>

#include <memory>

// GNOME's compositor, headless, on a message bus of its own in the caller's runtime
// folder: its IdleMonitor answers on that bus, and keys typed through its RemoteDesktop
// interface count as the user's input. The caller's XDG_RUNTIME_DIR must be private to
// the test (TestEnvironment).
class MutterServer {
public:
    explicit MutterServer(const QString& monitor = QStringLiteral("800x600"))
    {
        if (!QCoreApplication::instance())
            app_ = std::make_unique<QCoreApplication>(argc_, nullptr);
        const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
        address_ = QStringLiteral("unix:path=") + runtime + QStringLiteral("/bus");
        bus_.setProgram(QStringLiteral("dbus-daemon"));
        bus_.setArguments({QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--nopidfile"),
                           QStringLiteral("--address=") + address_});
        bus_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        bus_.start();
        if (!WaitUntil([&] { return QFileInfo::exists(runtime + QStringLiteral("/bus")); }, StartLimitMs)) {
            error_ = QStringLiteral("dbus-daemon made no bus");
            return;
        }
        QProcessEnvironment env = Environment();
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        mutter_.setProcessEnvironment(env);
        mutter_.setStandardOutputFile(runtime + QStringLiteral("/mutter.log"));
        mutter_.setStandardErrorFile(runtime + QStringLiteral("/mutter.log"));
        mutter_.start(QStringLiteral("mutter"), {QStringLiteral("--wayland"), QStringLiteral("--headless"),
                                                 QStringLiteral("--no-x11"), QStringLiteral("--virtual-monitor"), monitor});
        connection_ = std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(address_, QStringLiteral("mutter")));
        if (!WaitUntil([&] { return Call(QStringLiteral("org.gnome.Mutter.IdleMonitor"),
                                         QStringLiteral("/org/gnome/Mutter/IdleMonitor/Core"),
                                         QStringLiteral("org.gnome.Mutter.IdleMonitor.GetIdletime"), {})
                                      .type() == QDBusMessage::ReplyMessage; },
                       StartLimitMs))
            error_ = QStringLiteral("mutter's IdleMonitor never answered; see ") + runtime + QStringLiteral("/mutter.log");
    }

    ~MutterServer()
    {
        connection_.reset();
        QDBusConnection::disconnectFromBus(QStringLiteral("mutter"));
        Stop();
        bus_.terminate();
        bus_.waitForFinished(ExitLimitMs);
    }

    bool Ok() const { return error_.isEmpty(); }
    const QString& Error() const { return error_; }

    // The session bus for a client of this compositor.
    QProcessEnvironment Environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address_);
        return env;
    }

    // Presses and releases a key (an X keysym) through a remote-desktop session.
    bool Type(uint keysym)
    {
        if (session_.isEmpty()) {
            const QDBusReply<QDBusObjectPath> created =
                Call(QStringLiteral("org.gnome.Mutter.RemoteDesktop"), QStringLiteral("/org/gnome/Mutter/RemoteDesktop"),
                     QStringLiteral("org.gnome.Mutter.RemoteDesktop.CreateSession"), {});
            if (!created.isValid())
                return false;
            session_ = created.value().path();
            if (SessionCall(QStringLiteral("Start"), {}).type() != QDBusMessage::ReplyMessage)
                return false;
        }
        return SessionCall(QStringLiteral("NotifyKeyboardKeysym"), {keysym, true}).type() == QDBusMessage::ReplyMessage &&
               SessionCall(QStringLiteral("NotifyKeyboardKeysym"), {keysym, false}).type() == QDBusMessage::ReplyMessage;
    }

    // Ends the compositor; true when it ended.
    bool Stop()
    {
        mutter_.terminate();
        return mutter_.waitForFinished(ExitLimitMs);
    }

private:
    QDBusMessage Call(const QString& service, const QString& path, const QString& method, const QVariantList& arguments)
    {
        const qsizetype dot = method.lastIndexOf(QLatin1Char('.'));
        QDBusMessage call = QDBusMessage::createMethodCall(service, path, method.left(dot), method.mid(dot + 1));
        call.setArguments(arguments);
        return connection_->call(call);
    }
    QDBusMessage SessionCall(const QString& method, const QVariantList& arguments)
    {
        return Call(QStringLiteral("org.gnome.Mutter.RemoteDesktop"), session_,
                    QStringLiteral("org.gnome.Mutter.RemoteDesktop.Session.") + method, arguments);
    }

    int argc_ = 0;
    std::unique_ptr<QCoreApplication> app_;
    QString address_;
    QString error_;
    QString session_;
    QProcess bus_;
    QProcess mutter_;
    std::unique_ptr<QDBusConnection> connection_;
};
