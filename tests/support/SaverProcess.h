#pragma once

#include "TimeLimits.h"
#include "WaitUntil.h"
#include "XvfbServer.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QThread>

#include <algorithm>
#include <csignal>

// The show an idle watcher runs: its child process, 0 when there is none.
inline qint64 ShowOf(qint64 watcher)
{
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString& entry : entries) {
        QFile stat(QStringLiteral("/proc/") + entry + QStringLiteral("/stat"));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray line = stat.readAll();
        // pid (name) state ppid ...: the name may hold blanks, so count from its end.
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1 && fields.at(0) != "Z" && fields.at(1).toLongLong() == watcher)
            return entry.toLongLong();
    }
    return 0;
}

// The real program started on a private display server, as a daemon or a user would start it.
class SaverProcess {
public:
    // On a private display server (XvfbServer or SwayServer). Standard error is passed
    // through unless `captureErrors` keeps it for the test.
    template <typename DisplayServer>
    SaverProcess(const DisplayServer& server, const QStringList& arguments,
                 const QProcessEnvironment& extra = QProcessEnvironment(), bool captureErrors = false)
    {
        QProcessEnvironment env = server.Environment();
        for (const QString& key : extra.keys())
            env.insert(key, extra.value(key));
        process_.setProcessEnvironment(env);
        process_.setProcessChannelMode(captureErrors ? QProcess::SeparateChannels : QProcess::ForwardedErrorChannel);
        process_.start(QStringLiteral(KESTROVA_BINARY), arguments);
        process_.waitForStarted(StartLimitMs);
    }

    ~SaverProcess()
    {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(ExitLimitMs);
        }
    }

    // True when the process ended within the time; its status is then ExitCode().
    bool WaitForExit(int ms = ExitLimitMs)
    {
        return process_.state() == QProcess::NotRunning || process_.waitForFinished(ms);
    }
    // Ends it as a daemon does; true when it ended.
    bool Terminate()
    {
        ::kill(static_cast<pid_t>(Pid()), SIGTERM);
        return WaitForExit();
    }
    // Sends the input until the process ends: what comes before its window has the
    // focus is lost, and a busy machine gives no moment after which it surely has it.
    bool InputUntilExit(const XvfbServer& x, const QStringList& xdotool)
    {
        QElapsedTimer clock;
        clock.start();
        do {
            x.Run(QStringLiteral("xdotool"), xdotool);
            if (WaitForExit(500))
                return true;
        } while (clock.elapsed() < StartLimitMs);
        return false;
    }
    bool Running() const { return process_.state() == QProcess::Running; }
    int ExitCode() const { return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1; }
    qint64 Pid() const { return process_.processId(); }
    QProcess& Process() { return process_; }

private:
    QProcess process_;
};
