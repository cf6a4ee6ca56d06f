// --stop, as an idle daemon runs it before a screen locker starts or the machine sleeps.
#include "DaemonSupport.h"
#include "FakeLogind.h"
#include "SaverProcess.h"
#include "ShowPixels.h"
#include "SwayServer.h"
#include "TestEnvironment.h"
#include "XvfbServer.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

using namespace daemon_test;

TEST(StopCommand, EndsEveryShowOfTheUserWithItsPlayerAndNoOtherProcess)
{
    TestEnvironment env;
    XvfbServer x(QStringLiteral("800x600x24"));
    ASSERT_TRUE(x.Ok());
    const QString player = WritePlayerScript(env.Path());
    const QString tune = env.Path() + QStringLiteral("/tune.mid");
    QFile(tune).open(QIODevice::WriteOnly);
    daemon_test::Store(env.SettingsFile(),
          {{"background mode", "2"}, {"music mode", "2"}, {"player app", player}, {"play file", tune}});

    // Records naming processes that are no shows: one nobody holds (a show's id reused
    // since) and one held by another program. Neither process may be signalled.
    const QString records = env.RuntimeDir() + QStringLiteral("/Kestrova-Saver-shows");
    QDir().mkpath(records);
    QProcess reused;
    reused.start(QStringLiteral("sleep"), {QStringLiteral("600")});
    ASSERT_TRUE(reused.waitForStarted());
    QFile planted(records + QStringLiteral("/%1.lock").arg(reused.processId()));
    ASSERT_TRUE(planted.open(QIODevice::WriteOnly));
    planted.write(QByteArray::number(reused.processId()) + "\nkestrova-saver\n");
    planted.close();
    QProcess holder;
    holder.start(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("exec flock \"$0/$$.lock\" sleep 600"), records});
    ASSERT_TRUE(holder.waitForStarted());
    ASSERT_TRUE(WaitUntil([&] { return QFileInfo::exists(records + QStringLiteral("/%1.lock").arg(holder.processId())); },
                          StartLimitMs));

    SaverProcess show(x, {QStringLiteral("/s")});
    const QString started = env.Path() + QStringLiteral("/started");
    ASSERT_TRUE(WaitUntil([&] { return QFileInfo::exists(started); }, StartLimitMs)) << "the show's player was started";
    SaverProcess daemonShow(x, {QStringLiteral("-window")});
    ASSERT_TRUE(WaitUntil([&] { return QFileInfo::exists(records + QStringLiteral("/%1.lock").arg(daemonShow.Pid())); },
                          StartLimitMs))
        << "the daemon's show keeps its record";
    QFile startedFile(started);
    ASSERT_TRUE(startedFile.open(QIODevice::ReadOnly));
    const qint64 playerPid = QString::fromLocal8Bit(startedFile.readAll()).section(QLatin1Char(' '), 0, 0).toLongLong();
    ASSERT_GT(playerPid, 0);
    ASSERT_TRUE(show.Running());
    ASSERT_TRUE(daemonShow.Running());

    SaverProcess stop(x, {QStringLiteral("--stop")}, QProcessEnvironment(), true);
    ASSERT_TRUE(stop.WaitForExit(StartLimitMs)) << "--stop returns";
    EXPECT_EQ(stop.ExitCode(), 0) << stop.Process().readAllStandardError().toStdString();
    EXPECT_TRUE(show.WaitForExit()) << "the show ended";
    EXPECT_EQ(show.ExitCode(), 0);
    EXPECT_TRUE(daemonShow.WaitForExit()) << "the daemon's show ended";
    EXPECT_EQ(daemonShow.ExitCode(), 0);
    EXPECT_TRUE(WaitUntil([&] { return !ProcessAlive(playerPid); }, ExitLimitMs)) << "no player left";
    EXPECT_TRUE(ProcessAlive(reused.processId())) << "a process named by a record nobody holds";
    EXPECT_TRUE(ProcessAlive(holder.processId())) << "a process of another program holding a record";
    EXPECT_FALSE(QFileInfo::exists(planted.fileName())) << "the record nobody held is cleared";

    // With no show left, nothing to do.
    SaverProcess again(x, {QStringLiteral("--stop")});
    ASSERT_TRUE(again.WaitForExit(StartLimitMs));
    EXPECT_EQ(again.ExitCode(), 0);
    reused.kill();
    holder.kill();
    reused.waitForFinished();
    holder.waitForFinished();
}

// The Wayland show keeps its record too; and it ends by itself when logind locks the
// session, where no hook ran --stop first.
TEST(StopCommand, UnderSwayItAndLogindsLockEachEndTheWaylandShow)
{
    TestEnvironment env;
    SwayServer sway(QSize(640, 480));
    ASSERT_TRUE(sway.Ok()) << qPrintable(sway.Error());
    FakeLogind logind;
    ASSERT_TRUE(logind.Ok()) << "no private system bus with the logind stand-in";
    daemon_test::Store(env.SettingsFile(), {{"background mode", "1"}});
    auto flying = [&] {
        return Count(sway.ScreenshotWhen(QStringLiteral("HEADLESS-1"), env.Path() + QStringLiteral("/show.png"),
                                         [](const QImage& s) { return Count(s, qRgb(0, 0, 0)).other > 300; }),
                     qRgb(0, 0, 0))
                   .other > 300;
    };

    SaverProcess show(sway, {QStringLiteral("/s")});
    ASSERT_TRUE(flying()) << "the show did not cover the output";
    EXPECT_EQ(sway.Run(QStringLiteral(KESTROVA_BINARY), {QStringLiteral("--stop")}), 0)
        << "--stop: a show still ran 3 s after its signal";
    EXPECT_TRUE(show.WaitForExit()) << "--stop left the Wayland show running";
    EXPECT_EQ(show.ExitCode(), 0);

    QProcessEnvironment bus;
    bus.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), logind.Address());
    SaverProcess locked(sway, {QStringLiteral("/s")}, bus, true);
    ASSERT_TRUE(logind.WaitUntilAsked()) << "the show did not ask logind for its session";
    ASSERT_TRUE(flying()) << "the show did not cover the output";
    // The show listens for Lock only once its session's path came back: a Lock sent
    // before that is not heard.
    EXPECT_TRUE(WaitUntil([&] { return logind.Lock(), locked.WaitForExit(300); }, StartLimitMs))
        << "logind's Lock did not end the show";
    EXPECT_EQ(locked.ExitCode(), 0);
    EXPECT_TRUE(locked.Process().readAllStandardError().contains("locked"));
}
