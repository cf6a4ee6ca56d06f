#pragma once

#include "MutterKeys.h"
#include "TimeLimits.h"
#include "WaitUntil.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QDBusVariant>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <memory>

// GNOME Shell, headless, with one virtual monitor, as a user's session: its own session bus
// in the caller's runtime folder, a private bus standing in for the system bus (where it
// would look for logind), a home of its own with a Pictures folder, and the desktop portal
// (xdg-desktop-portal with GNOME's backend), started by the bus as a session starts it.
// Pictures come from gnome-screenshot, keys through Mutter's RemoteDesktop interface.
// The caller's XDG_RUNTIME_DIR and XDG_CONFIG_HOME must be private to the test
// (TestEnvironment). It starts with the Activities overview open, as GNOME does at login.
class GnomeShellServer {
public:
    explicit GnomeShellServer(const QString& monitor = QStringLiteral("800x600"))
    {
        if (!QCoreApplication::instance())
            app_ = std::make_unique<QCoreApplication>(argc_, nullptr);
        const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
        display_ = QStringLiteral("kestrova-gnome-%1").arg(QCoreApplication::applicationPid());
        address_ = QStringLiteral("unix:path=") + runtime + QStringLiteral("/bus");
        systemAddress_ = QStringLiteral("unix:path=") + runtime + QStringLiteral("/system_bus");
        QDir(home_.path()).mkpath(QStringLiteral("Pictures"));
        // Where GNOME puts screenshots, as a user's session names it.
        QDir().mkpath(qEnvironmentVariable("XDG_CONFIG_HOME"));
        QFile dirs(qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/user-dirs.dirs"));
        if (dirs.open(QIODevice::WriteOnly))
            dirs.write("XDG_PICTURES_DIR=\"$HOME/Pictures\"\n");
        dirs.close();

        // The buses start with the session's environment, so what they start has it too.
        if (!StartBus(systemBus_, systemAddress_, runtime + QStringLiteral("/system_bus")) ||
            !StartBus(bus_, address_, runtime + QStringLiteral("/bus")))
            return;
        connection_ = std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(address_, QStringLiteral("gnome-shell")));
        if (Run(QStringLiteral("dbus-update-activation-environment"),
                {QStringLiteral("WAYLAND_DISPLAY=") + display_, QStringLiteral("XDG_CURRENT_DESKTOP=GNOME")}) != 0) {
            error_ = QStringLiteral("dbus-update-activation-environment failed");
            return;
        }
        // A session as root gets a lasting notice, drawn over every window, the show's too.
        if (Run(QStringLiteral("gsettings"), {QStringLiteral("set"), QStringLiteral("org.gnome.desktop.notifications"),
                                              QStringLiteral("show-banners"), QStringLiteral("false")}) != 0) {
            error_ = QStringLiteral("gsettings cannot turn GNOME's notices off");
            return;
        }
        QProcessEnvironment env = Environment();
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        shell_.setProcessEnvironment(env);
        shell_.setStandardOutputFile(runtime + QStringLiteral("/gnome-shell.log"));
        shell_.setStandardErrorFile(runtime + QStringLiteral("/gnome-shell.log"));
        shell_.start(QStringLiteral("gnome-shell"),
                     {QStringLiteral("--headless"), QStringLiteral("--wayland"), QStringLiteral("--no-x11"),
                      QStringLiteral("--virtual-monitor"), monitor, QStringLiteral("--wayland-display"), display_});
        if (!WaitUntil([&] { return Property(QStringLiteral("org.gnome.Shell"), QStringLiteral("/org/gnome/Shell"),
                                             QStringLiteral("org.gnome.Shell"), QStringLiteral("OverviewActive"))
                                        .toBool(); },
                       StartLimitMs)) {
            error_ = QStringLiteral("GNOME Shell never opened its overview; see ") + runtime + QStringLiteral("/gnome-shell.log");
            return;
        }
        // The portal answers once its GNOME backend is there; asking for its version starts both.
        if (!WaitUntil([&] { return Property(QStringLiteral("org.freedesktop.portal.Desktop"), QStringLiteral("/org/freedesktop/portal/desktop"),
                                             QStringLiteral("org.freedesktop.portal.Screenshot"), QStringLiteral("version"))
                                        .isValid(); },
                       StartLimitMs))
            error_ = QStringLiteral("the desktop portal offers no Screenshot");
    }

    ~GnomeShellServer()
    {
        connection_.reset();
        QDBusConnection::disconnectFromBus(QStringLiteral("gnome-shell"));
        shell_.terminate();
        shell_.waitForFinished(ExitLimitMs);
        // What the buses started leaves with them.
        for (QProcess* bus : {&bus_, &systemBus_}) {
            bus->terminate();
            bus->waitForFinished(ExitLimitMs);
        }
    }

    bool Ok() const { return error_.isEmpty(); }
    const QString& Error() const { return error_; }
    QString PicturesFolder() const { return home_.path() + QStringLiteral("/Pictures"); }

    // A client of this session.
    QProcessEnvironment Environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), home_.path());
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address_);
        env.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), systemAddress_);
        env.insert(QStringLiteral("WAYLAND_DISPLAY"), display_);
        env.insert(QStringLiteral("XDG_CURRENT_DESKTOP"), QStringLiteral("GNOME"));
        env.insert(QStringLiteral("XDG_SESSION_TYPE"), QStringLiteral("wayland"));
        env.remove(QStringLiteral("DISPLAY"));
        return env;
    }

    // Runs a client of this session (gsettings ...) to its end; its exit status, -1 when it hung.
    int Run(const QString& program, const QStringList& arguments) const
    {
        QProcess p;
        p.setProcessEnvironment(Environment());
        p.setProcessChannelMode(QProcess::ForwardedChannels);
        p.start(program, arguments);
        if (!p.waitForFinished(StartLimitMs)) {
            p.kill();
            p.waitForFinished();
            return -1;
        }
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    }

    bool OverviewActive()
    {
        return Property(QStringLiteral("org.gnome.Shell"), QStringLiteral("/org/gnome/Shell"), QStringLiteral("org.gnome.Shell"),
                        QStringLiteral("OverviewActive"))
            .toBool();
    }

    // The whole screen; null when gnome-screenshot gave none.
    QImage Screenshot() const
    {
        const QString file = shots_.filePath(QStringLiteral("shot.png"));
        QFile::remove(file);
        Run(QStringLiteral("gnome-screenshot"), {QStringLiteral("-f"), file});
        return QImage(file);
    }

    // Takes screenshots until `ready` holds for one, or the time is up, and returns the last.
    template <typename Ready>
    QImage ScreenshotWhen(Ready ready, int ms = StartLimitMs) const
    {
        return PictureWhen([&] { return Screenshot(); }, ready, ms);
    }

    // Presses and releases a key (an X keysym) through a remote-desktop session.
    bool Type(uint keysym) { return keys_.Type(*connection_, keysym); }

    // A method call on this session's bus, `method` with its interface.
    QDBusMessage Call(const QString& service, const QString& path, const QString& method, const QVariantList& arguments)
    {
        return BusCall(*connection_, service, path, method, arguments);
    }

private:
    bool StartBus(QProcess& bus, const QString& address, const QString& socket)
    {
        QProcessEnvironment env = Environment();
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        bus.setProcessEnvironment(env);
        bus.setProgram(QStringLiteral("dbus-daemon"));
        bus.setArguments({QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--nopidfile"),
                          QStringLiteral("--address=") + address});
        // What the bus starts writes there too: the portals, the permission store.
        bus.setStandardOutputFile(socket + QStringLiteral(".log"));
        bus.setStandardErrorFile(socket + QStringLiteral(".log"));
        bus.start();
        if (!WaitUntil([&] { return QFileInfo::exists(socket); }, StartLimitMs)) {
            error_ = QStringLiteral("dbus-daemon made no bus at ") + socket;
            return false;
        }
        return true;
    }

    QVariant Property(const QString& service, const QString& path, const QString& interface, const QString& name)
    {
        const QDBusMessage answer = Call(service, path, QStringLiteral("org.freedesktop.DBus.Properties.Get"), {interface, name});
        return answer.type() == QDBusMessage::ReplyMessage
                   ? qvariant_cast<QDBusVariant>(answer.arguments().value(0)).variant()
                   : QVariant();
    }

    int argc_ = 0;
    std::unique_ptr<QCoreApplication> app_;
    QTemporaryDir home_;
    QTemporaryDir shots_;  // apart from the home, where the portal's files would be
    QString display_;
    QString address_;
    QString systemAddress_;
    QString error_;
    MutterKeys keys_;
    QProcess systemBus_;
    QProcess bus_;
    QProcess shell_;
    std::unique_ptr<QDBusConnection> connection_;
};
