#include "FakeLogind.h"
#include "MutterServer.h"
#include "SaverProcess.h"
#include "SwayServer.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <csignal>
#include <cstdio>

namespace {

const QStringList IdleTwoSeconds = {QStringLiteral("--idle"), QStringLiteral("2s")};

bool Alive(qint64 pid)
{
    return ::kill(static_cast<pid_t>(pid), 0) == 0 && QFile::exists(QStringLiteral("/proc/%1/exe").arg(pid));
}

// Waits for a show other than `previous` and returns it, 0 when none came.
qint64 NextShow(SaverProcess& watcher, qint64 previous)
{
    qint64 show = 0;
    WaitUntil([&] {
        show = ShowOf(watcher.Pid());
        return show != 0 && show != previous;
    }, StartLimitMs);
    return show != previous ? show : 0;
}

// Sends input until the show ends: a key typed before its window has the keyboard is lost.
template <typename SendKey>
bool KeyUntilGone(qint64 show, SendKey sendKey)
{
    return WaitUntil([&] {
        sendKey();
        return !Alive(show) || (QThread::msleep(300), !Alive(show));
    }, StartLimitMs);
}

}  // namespace

TEST(IdleWatcher, OnX11TheShowStartsWhenIdleEndsByAKeyOrStopStartsAgainAndEndsWithTheWatcher)
{
    TestEnvironment env;
    XvfbServer x;
    ASSERT_TRUE(x.Ok());
    SaverProcess watcher(x, IdleTwoSeconds);

    const qint64 first = NextShow(watcher, 0);
    ASSERT_NE(first, 0) << "no show started after 2 s without input";
    ASSERT_TRUE(WaitUntil([&] { return x.WindowViewable(QStringLiteral("Kestrova Saver")); }, StartLimitMs))
        << "the started show put up no window";
    ASSERT_TRUE(KeyUntilGone(first, [&] { x.Run(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("space")}); }))
        << "a key did not end the show";
    EXPECT_TRUE(watcher.Running()) << "the watcher ended with the show";

    const qint64 second = NextShow(watcher, first);
    ASSERT_NE(second, 0) << "no show after the next 2 s without input";

    SaverProcess another(x, IdleTwoSeconds);
    EXPECT_TRUE(another.WaitForExit()) << "a second watcher of the same user kept running";
    EXPECT_EQ(another.ExitCode(), 0);

    // Before a screen locker: the show goes, the watcher waits for the next idle time.
    EXPECT_EQ(x.Run(QStringLiteral(KESTROVA_BINARY), {QStringLiteral("--stop")}), 0);
    EXPECT_FALSE(Alive(second)) << "--stop left the watcher's show running";
    EXPECT_TRUE(watcher.Running()) << "--stop ended the watcher";
    x.Run(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("shift")});
    const qint64 third = NextShow(watcher, second);
    ASSERT_NE(third, 0) << "no show after input and 2 s without input once --stop ended one";

    ASSERT_TRUE(watcher.Terminate()) << "SIGTERM did not end the watcher";
    EXPECT_EQ(watcher.ExitCode(), 0);
    EXPECT_TRUE(WaitUntil([&] { return !Alive(third); }, ExitLimitMs)) << "the show outlived its watcher";
}

TEST(IdleWatcher, UnderSwayTheShowStartsWhenIdleEndsByAKeyStartsAgainAndTheWatcherEndsWithSway)
{
    TestEnvironment env;
    auto sway = std::make_unique<SwayServer>(QSize(640, 480));
    ASSERT_TRUE(sway->Ok()) << qPrintable(sway->Error());
    SaverProcess watcher(*sway, IdleTwoSeconds, QProcessEnvironment(), true);

    const qint64 first = NextShow(watcher, 0);
    ASSERT_NE(first, 0) << "no show started after 2 s without input";
    ASSERT_TRUE(KeyUntilGone(first, [&] { sway->Type({QStringLiteral("-k"), QStringLiteral("space")}); }))
        << "a key did not end the show";
    const qint64 second = NextShow(watcher, first);
    ASSERT_NE(second, 0) << "no show after the next 2 s without input";
    ASSERT_TRUE(WaitUntil([&] { return QFile::exists(env.RuntimeDir() + QStringLiteral("/Kestrova-Saver-shows/%1.lock").arg(second)); },
                          StartLimitMs))
        << "the watcher's show keeps no record for --stop";
    EXPECT_EQ(sway->Run(QStringLiteral(KESTROVA_BINARY), {QStringLiteral("--stop")}), 0)
        << "--stop: the show still ran 3 s after its signal";
    EXPECT_FALSE(Alive(second)) << "--stop left the watcher's show running";
    EXPECT_TRUE(watcher.Running()) << "--stop ended the watcher";

    sway.reset();
    ASSERT_TRUE(watcher.WaitForExit()) << "the watcher outlived its compositor";
    const QByteArray said = watcher.Process().readAllStandardError();
    EXPECT_EQ(watcher.ExitCode(), 0) << said.constData();
    // sway 1.10 offers ext-idle-notify-v1, which the watcher prefers; sway 1.7 only the KDE one.
    const char* used = said.contains("ext-idle-notify-v1") ? "ext-idle-notify-v1"
                       : said.contains("KDE idle protocol") ? "the KDE idle protocol"
                                                            : nullptr;
    ASSERT_NE(used, nullptr) << "the watcher named no idle protocol: " << said.constData();
    std::printf("The watcher used %s.\n", used);
    EXPECT_TRUE(said.contains("compositor went away")) << said.constData();
}

// The X11 show does not listen to logind: the watcher ends it before the machine sleeps.
TEST(IdleWatcher, PrepareForSleepEndsTheShowAndNotTheWatcher)
{
    TestEnvironment env;
    XvfbServer x;
    ASSERT_TRUE(x.Ok());
    FakeLogind logind;
    ASSERT_TRUE(logind.Ok()) << "no private system bus with the logind stand-in";
    QProcessEnvironment bus;
    bus.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), logind.Address());
    SaverProcess watcher(x, IdleTwoSeconds, bus);
    ASSERT_TRUE(logind.WaitUntilAsked()) << "the watcher did not ask logind for its session";

    const qint64 show = NextShow(watcher, 0);
    ASSERT_NE(show, 0) << "no show started after 2 s without input";
    EXPECT_TRUE(WaitUntil([&] { return logind.Sleep(), (QThread::msleep(300), !Alive(show)); }, StartLimitMs))
        << "PrepareForSleep(true) did not end the show";
    EXPECT_TRUE(watcher.Running()) << "the watcher ended with the show";
}

// GNOME gives a show's window no keyboard grab; the user's input, as the IdleMonitor
// reports it, ends the show. Here the show goes to an X display of its own, so only the
// IdleMonitor can end it.
TEST(IdleWatcher, UnderGnomeTheIdleMonitorStartsTheShowAndTheUserBackEndsIt)
{
    TestEnvironment env;
    XvfbServer x;
    ASSERT_TRUE(x.Ok());
    MutterServer mutter;
    ASSERT_TRUE(mutter.Ok()) << qPrintable(mutter.Error());
    QProcessEnvironment bus;
    bus.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), mutter.Environment().value(QStringLiteral("DBUS_SESSION_BUS_ADDRESS")));
    SaverProcess watcher(x, IdleTwoSeconds, bus);

    const qint64 first = NextShow(watcher, 0);
    ASSERT_NE(first, 0) << "no show started after 2 s without input";
    ASSERT_TRUE(KeyUntilGone(first, [&] { mutter.Type(0x20); })) << "input through mutter did not end the show";
    ASSERT_NE(NextShow(watcher, first), 0) << "no show after the next 2 s without input";

    ASSERT_TRUE(mutter.Stop());
    EXPECT_TRUE(watcher.WaitForExit()) << "the watcher outlived GNOME's IdleMonitor";
}
