#pragma once

#include "SwayServer.h"
#include "TimeLimits.h"
#include "WaitUntil.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSize>
#include <QString>
#include <QTemporaryDir>

#include <csignal>

#include <sys/prctl.h>

// A private weston with one output, in a window of a headless sway that sizes it to the
// space it tiles (a little less than the sway's output): a compositor without layer
// shell, where the show must fall back to a full-screen toplevel. The sway lends it a
// seat with a keyboard, as a desktop session has one: weston 14 raises a full-screen
// window over its panel only once it is activated, which takes a keyboard, and headless
// weston has none. Started with --debug so that weston-screenshooter may take the
// screen's picture.
class WestonServer {
public:
    explicit WestonServer(QSize output = QSize(800, 600)) : sway_(output)
    {
        if (!sway_.Ok()) {
            error_ = QStringLiteral("the sway that weston runs in did not start: ") + sway_.Error();
            return;
        }
        QDir(dir_.path()).mkpath(QStringLiteral("runtime"));
        QDir(dir_.path()).mkpath(QStringLiteral("shots"));
        QFile::setPermissions(Runtime(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), Runtime());
        env.insert(QStringLiteral("WAYLAND_DISPLAY"), sway_.Socket());
        env.remove(QStringLiteral("DISPLAY"));
        weston_.setProcessEnvironment(env);
        weston_.setStandardOutputFile(LogPath());
        weston_.setStandardErrorFile(LogPath());
        weston_.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
        weston_.start(QStringLiteral("weston"),
                      {QStringLiteral("--backend=wayland-backend.so"), QStringLiteral("--use-pixman"),
                       QStringLiteral("--socket=weston"), QStringLiteral("--idle-time=0"), QStringLiteral("--debug"),
                       QStringLiteral("--width=%1").arg(output.width()),
                       QStringLiteral("--height=%1").arg(output.height())});
        // Ready when a screenshot comes back: the shell has drawn its desktop.
        if (!weston_.waitForStarted(StartLimitMs) ||
            !WaitUntil([&] { return Ended() || !Screenshot().isNull(); }, StartLimitMs) || Ended())
            error_ = QStringLiteral("weston did not start; see ") + LogPath();
    }

    ~WestonServer()
    {
        if (weston_.state() == QProcess::NotRunning)
            return;
        weston_.terminate();
        if (!weston_.waitForFinished(ExitLimitMs)) {
            weston_.kill();
            weston_.waitForFinished(ExitLimitMs);
        }
    }

    WestonServer(const WestonServer&) = delete;
    WestonServer& operator=(const WestonServer&) = delete;

    bool Ok() const { return error_.isEmpty(); }
    QString Error() const { return error_; }

    // For a client of this compositor: no X display, so the program takes Wayland. The
    // caller's runtime folder stays (the program's locks); the socket goes by its path.
    QProcessEnvironment Environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("WAYLAND_DISPLAY"), Runtime() + QStringLiteral("/weston"));
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        return env;
    }

    // The whole screen; null when weston gave none.
    QImage Screenshot() const
    {
        QDir shots(dir_.filePath(QStringLiteral("shots")));
        for (const QString& old : shots.entryList(QDir::Files))
            shots.remove(old);
        QProcess p;
        QProcessEnvironment env = Environment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), Runtime());
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(shots.path());
        p.start(QStringLiteral("weston-screenshooter"), {});
        if (!p.waitForFinished(StartLimitMs)) {
            p.kill();
            p.waitForFinished();
        }
        const QStringList taken = shots.entryList({QStringLiteral("*.png")}, QDir::Files);
        return taken.isEmpty() ? QImage() : QImage(shots.filePath(taken.first()));
    }

    // Takes screenshots until `ready` holds for one, or the time is up, and returns the last.
    template <typename Ready>
    QImage ScreenshotWhen(Ready ready, int ms = StartLimitMs) const
    {
        return PictureWhen([&] { return Screenshot(); }, ready, ms);
    }

private:
    QString Runtime() const { return dir_.filePath(QStringLiteral("runtime")); }
    QString LogPath() const { return dir_.filePath(QStringLiteral("weston.log")); }
    bool Ended() { return weston_.state() == QProcess::NotRunning || weston_.waitForFinished(0); }

    SwayServer sway_;
    QTemporaryDir dir_;
    QProcess weston_;
    QString error_;
};
