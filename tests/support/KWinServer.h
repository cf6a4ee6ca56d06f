#pragma once

#include "KWinScreenshot.h"
#include "TimeLimits.h"
#include "WaitUntil.h"

#include <QDBusConnection>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <chrono>
#include <csignal>

#include <sys/prctl.h>

// A private headless KWin with one virtual output, on a session bus of its own. The
// installed kwin_wayland carries a file capability this machine refuses, so a copy runs
// (copying drops it). Its screenshots come through org.kde.KWin.ScreenShot2, which KWin
// grants to this test program through a desktop entry of the harness's own, as it grants
// the saver only through one the test puts in `dataDir`: no permission override.
class KWinServer {
public:
    // output: its size in real pixels. dataDir: a folder of the test's own for
    // XDG_DATA_DIRS (applications/*.desktop), or empty.
    explicit KWinServer(QSize output, double scale = 1, const QString& dataDir = QString())
    {
        for (const char* sub : {"runtime", "home", "bin", "data/applications"})
            QDir(dir_.path()).mkpath(QString::fromLatin1(sub));
        QFile::setPermissions(Runtime(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile::copy(QStringLiteral("/usr/bin/kwin_wayland"), dir_.filePath(QStringLiteral("bin/kwin_wayland")));
        WriteEntry(dir_.filePath(QStringLiteral("data/applications/kestrova-test-screenshots.desktop")),
                   QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath());

        bus_.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
        bus_.setStandardErrorFile(LogPath());
        bus_.start(QStringLiteral("dbus-daemon"), {QStringLiteral("--session"), QStringLiteral("--nofork"),
                                                   QStringLiteral("--address=") + BusAddress()});
        const QString socket = dir_.filePath(QStringLiteral("bus"));
        if (!bus_.waitForStarted(StartLimitMs) || !WaitUntil([&] { return QFile::exists(socket); }, StartLimitMs)) {
            error_ = QStringLiteral("the session bus did not start; see ") + LogPath();
            return;
        }

        // Nothing of the test's own environment: KWin reads its entries from XDG_DATA_DIRS.
        QProcessEnvironment env;
        env.insert(QStringLiteral("PATH"), dir_.filePath(QStringLiteral("bin")) + QStringLiteral(":/usr/bin:/bin"));
        env.insert(QStringLiteral("HOME"), dir_.filePath(QStringLiteral("home")));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), Runtime());
        env.insert(QStringLiteral("XDG_DATA_DIRS"), (dataDir.isEmpty() ? QString() : dataDir + QLatin1Char(':')) +
                                                        dir_.filePath(QStringLiteral("data")) +
                                                        QStringLiteral(":/usr/share"));
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), BusAddress());
        kwin_.setProcessEnvironment(env);
        kwin_.setStandardOutputFile(LogPath(), QIODevice::Append);
        kwin_.setStandardErrorFile(LogPath(), QIODevice::Append);
        kwin_.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
        kwin_.start(dir_.filePath(QStringLiteral("bin/kwin_wayland")),
                    {QStringLiteral("--virtual"), QStringLiteral("--width"), QString::number(qRound(output.width() / scale)),
                     QStringLiteral("--height"), QString::number(qRound(output.height() / scale)), QStringLiteral("--scale"),
                     QString::number(scale), QStringLiteral("--no-lockscreen"), QStringLiteral("--socket"),
                     QStringLiteral("kwin")});
        // Ready when a screenshot comes back.
        if (!kwin_.waitForStarted(StartLimitMs) ||
            !WaitUntil([&] { return Ended() || !Screenshot().isNull(); }, StartLimitMs) || Ended())
            error_ = QStringLiteral("KWin did not start or gave no screenshot; see ") + LogPath();
    }

    ~KWinServer()
    {
        QDBusConnection::disconnectFromBus(BusName());
        for (QProcess* p : {&kwin_, &bus_}) {
            if (p->state() == QProcess::NotRunning)
                continue;
            p->terminate();
            if (!p->waitForFinished(ExitLimitMs)) {
                p->kill();
                p->waitForFinished(ExitLimitMs);
            }
        }
    }

    KWinServer(const KWinServer&) = delete;
    KWinServer& operator=(const KWinServer&) = delete;

    bool Ok() const { return error_.isEmpty(); }
    QString Error() const { return error_; }

    // A desktop entry that lets `program` (an absolute path) take KWin's screenshots.
    static void WriteEntry(const QString& file, const QString& program)
    {
        QFile entry(file);
        entry.open(QIODevice::WriteOnly);
        entry.write(QStringLiteral("[Desktop Entry]\nType=Application\nName=test\nExec=%1\nNoDisplay=true\n"
                                   "X-KDE-DBUS-Restricted-Interfaces=org.kde.KWin.ScreenShot2\n")
                        .arg(program)
                        .toUtf8());
    }

    // For a client of this compositor and its bus: no X display, so the program takes
    // Wayland. The caller's runtime folder stays (the program's locks).
    QProcessEnvironment Environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("WAYLAND_DISPLAY"), Runtime() + QStringLiteral("/kwin"));
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), BusAddress());
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        return env;
    }

    // The whole workspace in its real pixels; null when KWin gave none.
    QImage Screenshot() const
    {
        QString reason;
        return KWinWorkspace(QDBusConnection::connectToBus(BusAddress(), BusName()), std::chrono::seconds(5), &reason);
    }

    // Takes screenshots until `ready` holds for one, or the time is up, and returns the last.
    template <typename Ready>
    QImage ScreenshotWhen(Ready ready, int ms = StartLimitMs) const
    {
        return PictureWhen([&] { return Screenshot(); }, ready, ms);
    }

    QString LogPath() const { return dir_.filePath(QStringLiteral("kwin.log")); }

private:
    QString Runtime() const { return dir_.filePath(QStringLiteral("runtime")); }
    QString BusAddress() const { return QStringLiteral("unix:path=") + dir_.filePath(QStringLiteral("bus")); }
    QString BusName() const { return QStringLiteral("kwin-harness-") + dir_.path(); }
    bool Ended() { return kwin_.state() == QProcess::NotRunning || kwin_.waitForFinished(0); }

    QTemporaryDir dir_;
    QProcess bus_;
    QProcess kwin_;
    QString error_;
};
