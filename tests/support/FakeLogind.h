#pragma once

#include "TimeLimits.h"

#include <QProcess>
#include <QString>

#include <csignal>

#include <sys/prctl.h>

// A private system bus (a dbus-daemon of its own, its address for DBUS_SYSTEM_BUS_ADDRESS)
// with our logind stand-in on it (support/fake-logind.cpp): it tells when a program asked
// for its session and sends Lock or PrepareForSleep(true) when told.
class FakeLogind {
public:
    FakeLogind()
    {
        bus_.setChildProcessModifier(EndWithParent);
        bus_.start(QStringLiteral("dbus-daemon"), {QStringLiteral("--session"), QStringLiteral("--nofork"),
                                                   QStringLiteral("--print-address")});
        if (!bus_.waitForStarted(StartLimitMs) || !ReadLine(bus_, address_))
            return;
        logind_.setChildProcessModifier(EndWithParent);
        logind_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        logind_.start(QStringLiteral(KESTROVA_FAKE_LOGIND), {address_});
        QString ready;
        ok_ = logind_.waitForStarted(StartLimitMs) && ReadLine(logind_, ready) && ready == QLatin1String("ready");
    }

    ~FakeLogind()
    {
        for (QProcess* process : {&logind_, &bus_}) {
            process->kill();
            process->waitForFinished(ExitLimitMs);
        }
    }

    FakeLogind(const FakeLogind&) = delete;
    FakeLogind& operator=(const FakeLogind&) = delete;

    bool Ok() const { return ok_; }
    // For DBUS_SYSTEM_BUS_ADDRESS.
    const QString& Address() const { return address_; }
    // True once a program asked for its session (one more time than before).
    bool WaitUntilAsked()
    {
        QString line;
        return ReadLine(logind_, line) && line == QLatin1String("asked");
    }
    void Lock() { Tell("lock\n"); }
    void Sleep() { Tell("sleep\n"); }

private:
    static void EndWithParent() { prctl(PR_SET_PDEATHSIG, SIGTERM); }

    static bool ReadLine(QProcess& process, QString& line)
    {
        while (!process.canReadLine())
            if (!process.waitForReadyRead(StartLimitMs))
                return false;
        line = QString::fromLocal8Bit(process.readLine()).trimmed();
        return true;
    }

    void Tell(const char* what)
    {
        logind_.write(what);
        logind_.waitForBytesWritten(ExitLimitMs);
    }

    QProcess bus_;
    QProcess logind_;
    QString address_;
    bool ok_ = false;
};
