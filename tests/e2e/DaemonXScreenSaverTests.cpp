// The real XScreenSaver starts and stops the show.
#include "DaemonSupport.h"
#include "PlayerWatch.h"
#include "TestEnvironment.h"
#include "XvfbServer.h"

#include <gtest/gtest.h>

#include <QStandardPaths>

using namespace daemon_test;

namespace {

// Our processes on this test's display (other tests may run the program meanwhile).
QList<qint64> ShowsOn(const XvfbServer& x, const QString& program)
{
    QList<qint64> ours;
    const QByteArray display = "DISPLAY=" + x.Display().toLatin1();
    for (const qint64 pid : LiveProcessesOf(program)) {
        // The player's watch is forked from a show but is none.
        QFile name(QStringLiteral("/proc/%1/comm").arg(pid));
        if (name.open(QIODevice::ReadOnly) && name.readAll().trimmed() == PlayerWatchName)
            continue;
        QFile environ(QStringLiteral("/proc/%1/environ").arg(pid));
        if (!environ.open(QIODevice::ReadOnly))
            continue;
        // The daemon names the screen too (":5.0").
        for (const QByteArray& entry : environ.readAll().split('\0'))
            if (entry == display || entry.startsWith(display + '.'))
                ours << pid;
    }
    return ours;
}

}  // namespace

TEST(XScreenSaver, ActivateStartsAShowOnEachMonitorAndDeactivateStopsThemAll)
{
    if (QStandardPaths::findExecutable(QStringLiteral("xscreensaver")).isEmpty())
        GTEST_SKIP() << "xscreensaver is not installed (scripts/setup.sh installs it)";
    TestEnvironment env;
    XvfbServer x(QStringLiteral("800x600x24"));
    ASSERT_TRUE(x.Ok());
    // The desktop as background: the show takes it from the picture XScreenSaver took
    // before it covered the screen.
    x.Run(QStringLiteral("xsetroot"), {QStringLiteral("-solid"), QStringLiteral("#4080c0")});
    // Two monitors side by side: XScreenSaver covers each with a window of its own.
    x.Run(QStringLiteral("xrandr"), {QStringLiteral("--setmonitor"), QStringLiteral("left"),
                                     QStringLiteral("400/106x600/159+0+0"), QStringLiteral("screen")});
    x.Run(QStringLiteral("xrandr"), {QStringLiteral("--setmonitor"), QStringLiteral("right"),
                                     QStringLiteral("400/106x600/159+400+0"), QStringLiteral("none")});
    const QString player = WritePlayerScript(env.Path());
    const QString tune = env.Path() + QStringLiteral("/tune.mid");
    QFile(tune).open(QIODevice::WriteOnly);
    Store(env.SettingsFile(),
          {{"background mode", "0"}, {"music mode", "2"}, {"player app", player}, {"play file", tune}});

    // The saver user may not enter the folder the build lies in (a checkout under /root),
    // so the daemon runs a copy of the program from the test's own folder.
    const QString program = env.Path() + QStringLiteral("/kestrova-saver");
    ASSERT_TRUE(QFile::copy(QStringLiteral(KESTROVA_BINARY), program));
    const QString home = env.Path() + QStringLiteral("/home");
    QDir().mkpath(home);
    QFile config(home + QStringLiteral("/.xscreensaver"));
    ASSERT_TRUE(config.open(QIODevice::WriteOnly));
    // XScreenSaver runs its savers at nice 10 unless told otherwise; on a loaded machine
    // that stretches the show's start-up to minutes, longer than any sensible hang limit.
    config.write("mode: one\nselected: 0\ntimeout: 0:30:00\nlock: False\nfade: False\nunfade: False\n"
                 "splash: False\nnice: 0\nprograms: \\\n  " + QFile::encodeName(program) + " -root \\n\\\n\n");
    config.close();
    GiveToSaverUser(env.Path());

    QProcess daemon;
    QProcessEnvironment daemonEnv = x.Environment();
    daemonEnv.insert(QStringLiteral("HOME"), home);
    daemon.setProcessEnvironment(daemonEnv);
    daemon.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const QStringList command = AsSaverUser(QStringLiteral("xscreensaver"), {QStringLiteral("-no-splash")});
    daemon.start(command.first(), command.mid(1));
    ASSERT_TRUE(daemon.waitForStarted(StartLimitMs));

    // The daemon needs a moment before it answers commands.
    EXPECT_TRUE(WaitUntil(
        [&] {
            x.Run(QStringLiteral("xscreensaver-command"), {QStringLiteral("-activate")});
            return WaitUntil([&] { return !ShowsOn(x, program).isEmpty(); }, 1000);
        },
        StartLimitMs))
        << "xscreensaver started the show";
    const QRect monitors[] = {QRect(0, 0, 400, 600), QRect(400, 0, 400, 600)};
    const QImage shot = x.ScreenshotWhen(env.Path() + QStringLiteral("/xscreensaver.png"), [&](const QImage& image) {
        for (const QRect monitor : monitors) {
            const AreaCounts c = CountArea(image, monitor, qRgb(0x40, 0x80, 0xc0), qRgb(255, 255, 255));
            if (c.colourShare <= 0.5 || c.different <= 100)
                return false;
        }
        return true;
    });
    EXPECT_EQ(ShowsOn(x, program).size(), 2) << "one show per monitor";
    for (const QRect monitor : monitors) {
        const AreaCounts c = CountArea(shot, monitor, qRgb(0x40, 0x80, 0xc0), qRgb(255, 255, 255));
        EXPECT_GT(c.colourShare, 0.5) << monitor.x() << ": the show fills the monitor, over the desktop";
        EXPECT_GT(c.different, 100) << monitor.x() << ": aircraft";
    }
    QFile started(env.Path() + QStringLiteral("/started"));
    ASSERT_TRUE(WaitUntil([&] { return started.exists(); }, StartLimitMs)) << "the music player was started";
    ASSERT_TRUE(started.open(QIODevice::ReadOnly));
    const QList<QByteArray> players = started.readAll().trimmed().split('\n');
    EXPECT_EQ(players.size(), 1) << "the music plays once";
    const qint64 playerPid = players.first().split(' ').first().toLongLong();

    x.Run(QStringLiteral("xscreensaver-command"), {QStringLiteral("-deactivate")});
    EXPECT_TRUE(WaitUntil([&] { return ShowsOn(x, program).isEmpty(); }, ExitLimitMs)) << "no show left after deactivation";
    EXPECT_TRUE(WaitUntil([&] { return QFileInfo::exists(env.Path() + QStringLiteral("/closed")); }, ExitLimitMs))
        << "the player was asked to close";
    EXPECT_TRUE(WaitUntil([&] { return !ProcessAlive(playerPid); }, ExitLimitMs)) << "no player left";

    x.Run(QStringLiteral("xscreensaver-command"), {QStringLiteral("-exit")});
    if (!daemon.waitForFinished(ExitLimitMs)) {
        daemon.kill();
        daemon.waitForFinished(2000);
    }
}
