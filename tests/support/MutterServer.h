#pragma once

#include "MutterKeys.h"
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
    bool Type(uint keysym) { return keys_.Type(*connection_, keysym); }

    // Ends the compositor; true when it ended.
    bool Stop()
    {
        mutter_.terminate();
        return mutter_.waitForFinished(ExitLimitMs);
    }

private:
    QDBusMessage Call(const QString& service, const QString& path, const QString& method, const QVariantList& arguments)
    {
        return BusCall(*connection_, service, path, method, arguments);
    }

    int argc_ = 0;
    std::unique_ptr<QCoreApplication> app_;
    QString address_;
    QString error_;
    MutterKeys keys_;
    QProcess bus_;
    QProcess mutter_;
    std::unique_ptr<QDBusConnection> connection_;
};
