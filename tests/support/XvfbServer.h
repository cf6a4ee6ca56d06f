#pragma once

#include "TimeLimits.h"
#include "WaitUntil.h"

#include <QImage>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <cstdlib>

// A private X server for one end-to-end test. Xvfb picks a free display number itself
// (-displayfd); -noreset keeps the root window's picture when the last client leaves.
class XvfbServer {
public:
    explicit XvfbServer(const QString& screen = QStringLiteral("1024x768x24"))
    {
        process_.setProgram(QStringLiteral("Xvfb"));
        process_.setArguments({QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                               QStringLiteral("0"), screen, QStringLiteral("-noreset"), QStringLiteral("-nolisten"),
                               QStringLiteral("tcp")});
        process_.setProcessChannelMode(QProcess::SeparateChannels);
        process_.start();
        if (!process_.waitForStarted(StartLimitMs))
            return;
        while (!process_.canReadLine() && process_.waitForReadyRead(StartLimitMs)) {
        }
        const QString number = QString::fromLatin1(process_.readLine()).trimmed();
        if (!number.isEmpty())
            display_ = QLatin1Char(':') + number;
    }

    ~XvfbServer()
    {
        process_.terminate();
        process_.waitForFinished(ExitLimitMs);
    }

    bool Ok() const { return !display_.isEmpty(); }
    QString Display() const { return display_; }

    // Environment for a client of this server.
    QProcessEnvironment Environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), display_);
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        return env;
    }

    // Runs a command against this display and waits for it.
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

    // Whether a window with this title is mapped and not hidden by an unmapped parent.
    bool WindowViewable(const QString& title) const
    {
        QString info;
        return Run(QStringLiteral("xwininfo"), {QStringLiteral("-name"), title}, &info) == 0 &&
               info.contains(QLatin1String("IsViewable"));
    }

    // The whole screen as an image.
    QImage Screenshot(const QString& path) const
    {
        Run(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"), path});
        return QImage(path);
    }

    // Takes screenshots until `ready` holds for one, or the time is up, and returns the last.
    template <typename Ready>
    QImage ScreenshotWhen(const QString& path, Ready ready, int ms = StartLimitMs) const
    {
        return PictureWhen([&] { return Screenshot(path); }, ready, ms);
    }

private:
    QProcess process_;
    QString display_;
};
