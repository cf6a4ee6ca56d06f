#pragma once

#include "TimeLimits.h"
#include "WaitUntil.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <csignal>
#include <memory>
#include <vector>

#include <sys/prctl.h>
#include <unistd.h>

// A private headless sway for one Wayland end-to-end test, with a keyboard and a pointer
// on its seat from the start: a client that binds the seat later still gets the first
// key. sway refuses to run as root, so under root it runs as nobody in a runtime folder
// of that user's; the test's clients (the program, grim, wtype, the virtual pointer)
// stay root and reach it through the socket's absolute path. Everything it starts ends
// with it, and with the test process should that die first.
class SwayServer {
public:
    static constexpr uid_t Nobody = 65534;

    // extraConfig: more lines for sway's configuration ("output * bg #3a6ea5 solid_color").
    explicit SwayServer(QSize firstOutput = QSize(1024, 768), const QString& extraConfig = QString())
    {
        ok_ = Start(firstOutput, extraConfig);
    }

    ~SwayServer()
    {
        for (auto& process : held_)
            Stop(*process);
        Stop(sway_);
    }

    SwayServer(const SwayServer&) = delete;
    SwayServer& operator=(const SwayServer&) = delete;

    bool Ok() const { return ok_; }
    // Why it is not Ok(), with the end of sway's log.
    QString Error() const { return error_; }
    // The Wayland socket's absolute path, for WAYLAND_DISPLAY.
    QString Socket() const { return socket_; }
    // The processes it started, sway first.
    QList<qint64> Pids() const
    {
        QList<qint64> pids{sway_.processId()};
        for (const auto& process : held_)
            pids.append(process->processId());
        return pids;
    }

    // Environment for a root client of this compositor: no X display, so a program that
    // could take either takes Wayland; the caller's runtime folder, or one of its own.
    QProcessEnvironment Environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("WAYLAND_DISPLAY"), socket_);
        env.insert(QStringLiteral("SWAYSOCK"), ipc_);
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_SOCKET"));
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        if (!QFileInfo(env.value(QStringLiteral("XDG_RUNTIME_DIR"))).isDir())
            env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir_.filePath(QStringLiteral("client")));
        return env;
    }

    // Runs a client of this compositor and waits for it; its exit status, -1 when it
    // did not end normally in time.
    int Run(const QString& program, const QStringList& arguments, QString* output = nullptr) const
    {
        QProcess p;
        p.setProcessEnvironment(Environment());
        p.start(program, arguments);
        if (!p.waitForFinished(StartLimitMs)) {
            p.kill();
            p.waitForFinished();
            return -1;
        }
        if (output)
            *output = QString::fromLocal8Bit(p.readAllStandardOutput());
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    }

    // A sway command ("output HEADLESS-2 scale 2"); true when sway carried it out.
    bool Command(const QString& command) const
    {
        return Run(QStringLiteral("swaymsg"), {command}) == 0;
    }

    // The outputs by name, with their sizes in pixels.
    QStringList Outputs() const
    {
        QStringList names;
        for (const QJsonValue& output : Query(QStringLiteral("get_outputs")))
            names.append(output[QStringLiteral("name")].toString());
        return names;
    }
    QSize OutputSize(const QString& name) const
    {
        for (const QJsonValue& output : Query(QStringLiteral("get_outputs"))) {
            if (output[QStringLiteral("name")].toString() == name) {
                const QJsonValue mode = output[QStringLiteral("current_mode")];
                return QSize(mode[QStringLiteral("width")].toInt(), mode[QStringLiteral("height")].toInt());
            }
        }
        return QSize();
    }
    // The output the pointer was last moved onto (sway focuses it).
    QString FocusedOutput() const
    {
        for (const QJsonValue& output : Query(QStringLiteral("get_outputs")))
            if (output[QStringLiteral("focused")].toBool())
                return output[QStringLiteral("name")].toString();
        return QString();
    }

    // Plugs in another output of the given size, right of the others; its name, or empty
    // when sway did not make it.
    QString AddOutput(QSize size)
    {
        const QStringList before = Outputs();
        if (!Command(QStringLiteral("create_output")))
            return QString();
        QString name;
        WaitUntil(
            [&] {
                for (const QString& output : Outputs())
                    if (!before.contains(output))
                        name = output;
                return !name.isEmpty();
            },
            StartLimitMs);
        if (name.isEmpty() ||
            !Command(QStringLiteral("output %1 mode %2x%3").arg(name).arg(size.width()).arg(size.height())) ||
            !WaitUntil([&] { return OutputSize(name) == size; }, StartLimitMs))
            return QString();
        return name;
    }

    // Keys through a virtual keyboard: wtype's arguments ("-k", "space").
    int Type(const QStringList& arguments) const { return Run(QStringLiteral("wtype"), arguments); }
    // Motion and buttons through our virtual pointer: "move", "10", "0", "click", "left".
    int Pointer(const QStringList& actions) const { return Run(QStringLiteral(KESTROVA_VIRTUAL_POINTER), actions); }

    // One output's picture.
    QImage Screenshot(const QString& output, const QString& path) const
    {
        Run(QStringLiteral("grim"), {QStringLiteral("-o"), output, path});
        return QImage(path);
    }

    // Takes screenshots until `ready` holds for one, or the time is up, and returns the last.
    template <typename Ready>
    QImage ScreenshotWhen(const QString& output, const QString& path, Ready ready, int ms = StartLimitMs) const
    {
        return PictureWhen([&] { return Screenshot(output, path); }, ready, ms);
    }

private:
    // Starts sway and waits until it answers and its seat has both devices.
    bool Start(QSize firstOutput, const QString& extraConfig)
    {
        if (!dir_.isValid())
            return Fail(QStringLiteral("cannot make a temporary folder"));
        // sway, as nobody, must pass through the folder to its own runtime folder.
        QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                               QFile::ExeGroup | QFile::ExeOther);
        const bool root = geteuid() == 0;
        const QString runtime = dir_.filePath(QStringLiteral("sway"));
        const QString config = dir_.filePath(QStringLiteral("sway.conf"));
        QDir(dir_.path()).mkpath(QStringLiteral("sway"));
        QDir(dir_.path()).mkpath(QStringLiteral("client"));
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile::setPermissions(dir_.filePath(QStringLiteral("client")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile file(config);
        if (!file.open(QIODevice::WriteOnly))
            return Fail(QStringLiteral("cannot write ") + config);
        file.write((QStringLiteral("xwayland disable\noutput HEADLESS-1 mode %1x%2\n")
                        .arg(firstOutput.width())
                        .arg(firstOutput.height()) +
                    extraConfig)
                       .toUtf8());
        file.close();
        if (root && chown(QFile::encodeName(runtime).constData(), Nobody, Nobody) != 0)
            return Fail(QStringLiteral("cannot give ") + runtime + QStringLiteral(" to nobody"));

        QProcessEnvironment env;
        env.insert(QStringLiteral("PATH"), qEnvironmentVariable("PATH", QStringLiteral("/usr/bin:/bin")));
        env.insert(QStringLiteral("HOME"), runtime);
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
        env.insert(QStringLiteral("WLR_BACKENDS"), QStringLiteral("headless"));
        env.insert(QStringLiteral("WLR_RENDERER"), QStringLiteral("pixman"));
        env.insert(QStringLiteral("WLR_LIBINPUT_NO_DEVICES"), QStringLiteral("1"));
        sway_.setProcessEnvironment(env);
        sway_.setStandardOutputFile(LogPath());
        sway_.setStandardErrorFile(LogPath());
        const QStringList swayArguments = {QStringLiteral("sway"), QStringLiteral("-c"), config};
        if (root) {
            sway_.setProgram(QStringLiteral("setpriv"));
            sway_.setArguments(QStringList{QStringLiteral("--reuid=%1").arg(Nobody), QStringLiteral("--regid=%1").arg(Nobody),
                                           QStringLiteral("--clear-groups"), QStringLiteral("--pdeathsig=TERM")} +
                               swayArguments);
        } else {
            sway_.setProgram(swayArguments.first());
            sway_.setArguments(swayArguments.mid(1));
            sway_.setChildProcessModifier(EndWithParent);
        }
        sway_.start();
        if (!sway_.waitForStarted(StartLimitMs))
            return Fail(QStringLiteral("cannot start sway: ") + sway_.errorString());

        const bool answers = WaitUntil(
            [&] {
                if (Ended(sway_))
                    return true;
                ipc_ = SocketIn(runtime, QStringLiteral("sway-ipc.*.sock"));
                socket_ = SocketIn(runtime, QStringLiteral("wayland-*"));
                return !ipc_.isEmpty() && !socket_.isEmpty() &&
                       Run(QStringLiteral("swaymsg"), {QStringLiteral("-t"), QStringLiteral("get_version")}) == 0;
            },
            StartLimitMs);
        if (Ended(sway_))
            return Fail(QStringLiteral("sway ended at start"));
        if (!answers)
            return Fail(QStringLiteral("sway did not answer swaymsg -t get_version"));

        if (!Hold(QStringLiteral("wtype"), {QStringLiteral("-s"), QStringLiteral("3600000")},
                  QStringLiteral("keyboard")) ||
            !Hold(QStringLiteral(KESTROVA_VIRTUAL_POINTER), {QStringLiteral("wait"), QStringLiteral("3600000")},
                  QStringLiteral("pointer")))
            return false;
        if (OutputSize(QStringLiteral("HEADLESS-1")) != firstOutput)
            return Fail(QStringLiteral("the first output is not %1x%2").arg(firstOutput.width()).arg(firstOutput.height()));
        return true;
    }


    // Children die with the test process, so a crashed test leaves no client behind.
    static void EndWithParent() { prctl(PR_SET_PDEATHSIG, SIGTERM); }

    // The first socket (lock files are not sockets) in the folder whose name matches.
    static QString SocketIn(const QString& folder, const QString& pattern)
    {
        const QStringList found = QDir(folder).entryList({pattern}, QDir::System);
        return found.isEmpty() ? QString() : QDir(folder).filePath(found.first());
    }

    // Without an event loop, QProcess learns that a process ended only when asked.
    static bool Ended(QProcess& process)
    {
        return process.state() == QProcess::NotRunning || process.waitForFinished(0);
    }

    static void Stop(QProcess& process)
    {
        if (process.state() == QProcess::NotRunning)
            return;
        process.terminate();
        if (!process.waitForFinished(ExitLimitMs)) {
            process.kill();
            process.waitForFinished(ExitLimitMs);
        }
    }

    QString LogPath() const { return dir_.filePath(QStringLiteral("sway.log")); }

    bool Fail(const QString& what)
    {
        QFile log(LogPath());
        QString tail;
        if (log.open(QIODevice::ReadOnly))
            tail = QString::fromLocal8Bit(log.readAll().right(2000));
        error_ = what + (tail.isEmpty() ? QString() : QStringLiteral("; sway's log ends:\n") + tail);
        return false;
    }

    QJsonArray Query(const QString& type) const
    {
        QString reply;
        Run(QStringLiteral("swaymsg"), {QStringLiteral("-r"), QStringLiteral("-t"), type}, &reply);
        return QJsonDocument::fromJson(reply.toUtf8()).array();
    }

    bool SeatHas(const QString& deviceType) const
    {
        for (const QJsonValue& seat : Query(QStringLiteral("get_seats")))
            for (const QJsonValue& device : seat[QStringLiteral("devices")].toArray())
                if (device[QStringLiteral("type")].toString() == deviceType)
                    return true;
        return false;
    }

    // Starts a client that stays connected and waits until the seat shows its device.
    bool Hold(const QString& program, const QStringList& arguments, const QString& deviceType)
    {
        auto process = std::make_unique<QProcess>();
        process->setProcessEnvironment(Environment());
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process->setChildProcessModifier(EndWithParent);
        process->start(program, arguments);
        QProcess& started = *process;
        held_.push_back(std::move(process));
        if (!started.waitForStarted(StartLimitMs))
            return Fail(QStringLiteral("cannot start ") + program + QStringLiteral(": ") + started.errorString());
        if (!WaitUntil([&] { return SeatHas(deviceType) || Ended(started); }, StartLimitMs) || Ended(started))
            return Fail(QStringLiteral("the seat got no %1 from %2").arg(deviceType, program));
        return true;
    }

    QTemporaryDir dir_;
    QProcess sway_;
    std::vector<std::unique_ptr<QProcess>> held_;
    QString ipc_;
    QString socket_;
    QString error_;
    bool ok_ = false;
};
