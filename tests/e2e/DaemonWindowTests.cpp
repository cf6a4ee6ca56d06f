// The show as screen-saver daemons run it: inside a window of theirs, ended by them.
#include "DaemonSupport.h"
#include "SaverProcess.h"
#include "TestEnvironment.h"
#include "XvfbServer.h"

#include <gtest/gtest.h>

using namespace daemon_test;

namespace {

const QRgb Blue = qRgb(0, 0, 128);  // "background mode" 2
const QRgb White = qRgb(255, 255, 255);
const QRgb Red = qRgb(255, 0, 0);  // the host window's own colour

// The show is in `area`: mostly its background colour, with at least `aircraft` sampled
// pixels of aircraft over it (a wait must look for as much as the test then asserts).
auto ShowIn(QRect area, QRgb colour = Blue, int aircraft = 50)
{
    return [area, colour, aircraft](const QImage& shot) {
        const AreaCounts c = CountArea(shot, area, colour, White);
        return c.colourShare > 0.5 && c.different > aircraft;
    };
}

}  // namespace

TEST(DaemonWindow, DrawsInsideTheHostAtItsSizeWhicheverWayTheWindowIsNamed)
{
    TestEnvironment env;
    XvfbServer x(QStringLiteral("800x600x24"));
    ASSERT_TRUE(x.Ok());
    Store(env.SettingsFile(), {{"background mode", "2"}});
    HostWindowProcess host(x, 400, 300);
    ASSERT_NE(host.Id(), 0u);

    struct Way {
        QStringList arguments;
        QString screensaverWindow;
    };
    const Way ways[] = {{{QStringLiteral("--window-id"), host.Hex()}, QString()},
                        {{QStringLiteral("-window-id"), host.Decimal()}, QString()},
                        {{QStringLiteral("-root")}, host.Hex()},
                        {{QStringLiteral("--root"), QStringLiteral("--kind"), QStringLiteral("4")}, host.Decimal()}};
    for (const Way& way : ways) {
        const std::string name = (way.arguments.join(' ') + " XSCREENSAVER_WINDOW=" + way.screensaverWindow).toStdString();
        QProcessEnvironment extra;
        if (!way.screensaverWindow.isEmpty())
            extra.insert(QStringLiteral("XSCREENSAVER_WINDOW"), way.screensaverWindow);
        SaverProcess saver(x, way.arguments, extra);
        const QImage shot = x.ScreenshotWhen(env.Path() + QStringLiteral("/inside.png"),
                                             ShowIn(QRect(HostX, HostY, 400, 300), Blue, 100));
        ASSERT_TRUE(saver.Running()) << name;

        const AreaCounts inside = CountArea(shot, QRect(HostX, HostY, 400, 300), Blue, White);
        EXPECT_GT(inside.colourShare, 0.5) << name;
        EXPECT_GT(inside.different, 100) << name << ": aircraft";
        EXPECT_LT(CountArea(shot, QRect(HostX, HostY, 400, 300), Red, White).colourShare, 0.01)
            << name << ": the whole host is covered";
        EXPECT_EQ(CountArea(shot, QRect(HostX + 402, HostY, 100, 300), Blue, White).colourShare, 0)
            << name << ": nothing beyond the host";
        EXPECT_EQ(CountArea(shot, QRect(HostX, HostY + 302, 400, 100), Blue, White).colourShare, 0) << name;
        EXPECT_TRUE(saver.Terminate()) << name;
        EXPECT_EQ(saver.ExitCode(), 0) << name;
    }
}

TEST(DaemonWindow, SurvivesInputFollowsResizesAndEndsOnSigtermWithItsPlayerClosed)
{
    TestEnvironment env;
    XvfbServer x(QStringLiteral("800x600x24"));
    ASSERT_TRUE(x.Ok());
    const QString player = WritePlayerScript(env.Path());
    const QString tune = env.Path() + QStringLiteral("/tune.mid");
    QFile(tune).open(QIODevice::WriteOnly);
    Store(env.SettingsFile(),
          {{"background mode", "2"}, {"music mode", "2"}, {"player app", player}, {"play file", tune}});
    HostWindowProcess host(x, 300, 200);
    SaverProcess saver(x, {QStringLiteral("--window-id"), host.Hex()});
    const QString started = env.Path() + QStringLiteral("/started");
    ASSERT_TRUE(WaitUntil([&] { return QFileInfo::exists(started); }, StartLimitMs)) << "the player was started";
    x.ScreenshotWhen(env.Path() + QStringLiteral("/first.png"), ShowIn(QRect(HostX, HostY, 300, 200)));

    // The daemon, not the show, decides when to stop: its settings preview runs the
    // show while the user works with the mouse and the keyboard.
    for (const QStringList& input :
         {QStringList{"mousemove", "100", "100"}, QStringList{"mousemove", "150", "120"},
          QStringList{"mousemove_relative", "1", "0"}, QStringList{"click", "1"}, QStringList{"key", "a"},
          QStringList{"key", "shift"}})
        x.Run(QStringLiteral("xdotool"), input);
    QThread::msleep(700);
    ASSERT_TRUE(saver.Running()) << "mouse, clicks and keys do not end it";

    // Another shape: scaled up, the old show would leave black bars at the sides.
    host.Resize(640, 240);
    const QImage shot = x.ScreenshotWhen(env.Path() + QStringLiteral("/resized.png"), [](const QImage& image) {
        return ShowIn(QRect(HostX, HostY, 60, 240))(image) && ShowIn(QRect(HostX + 580, HostY, 60, 240))(image) &&
               ShowIn(QRect(HostX, HostY, 640, 240), Blue, 100)(image);
    });
    const AreaCounts all = CountArea(shot, QRect(HostX, HostY, 640, 240), Blue, White);
    EXPECT_GT(all.colourShare, 0.5);
    EXPECT_GT(all.different, 100) << "aircraft";
    EXPECT_GT(CountArea(shot, QRect(HostX, HostY, 60, 240), Blue, White).colourShare, 0.5) << "left edge";
    EXPECT_GT(CountArea(shot, QRect(HostX + 580, HostY, 60, 240), Blue, White).colourShare, 0.5) << "right edge";
    EXPECT_LT(CountArea(shot, QRect(HostX, HostY, 640, 240), Red, White).colourShare, 0.01);

    QFile startedFile(started);
    ASSERT_TRUE(startedFile.open(QIODevice::ReadOnly));
    const qint64 playerPid = QString::fromLocal8Bit(startedFile.readAll()).section(QLatin1Char(' '), 0, 0).toLongLong();
    ASSERT_GT(playerPid, 0);

    // How fast it ends is measured by bench/run.sh (daemon_sigterm_exit_ms).
    EXPECT_TRUE(saver.Terminate());
    EXPECT_EQ(saver.ExitCode(), 0);
    EXPECT_TRUE(WaitUntil([&] { return QFileInfo::exists(env.Path() + QStringLiteral("/closed")); }, ExitLimitMs))
        << "the player was asked to close";
    EXPECT_TRUE(WaitUntil([&] { return !ProcessAlive(playerPid); }, ExitLimitMs)) << "no player left";
}

TEST(DaemonWindow, The3DShowFillsItsHostWholeAfterTheHostGrows)
{
    TestEnvironment env;
    XvfbServer x(QStringLiteral("1280x1024x24"));
    ASSERT_TRUE(x.Ok());
    Store(env.SettingsFile(), {{"background mode", "2"}, {"kind of airplane", "200"}});
    HostWindowProcess host(x, 800, 600);
    QProcessEnvironment extra;
    extra.insert(QStringLiteral("LIBGL_ALWAYS_SOFTWARE"), QStringLiteral("1"));
    SaverProcess saver(x, {QStringLiteral("-window-id"), host.Decimal()}, extra);
    // The show's background everywhere in `area`; neither the host's red nor black
    // (the dark parts of an aircraft are not this black, nor this many).
    const auto covered = [](QRect area) {
        return [area](const QImage& shot) {
            return CountArea(shot, area, Blue, White).colourShare > 0.5 &&
                   CountArea(shot, area, Red, White).colourShare < 0.001 &&
                   CountArea(shot, area, qRgb(0, 0, 0), White).colourShare < 0.01;
        };
    };
    x.ScreenshotWhen(env.Path() + QStringLiteral("/before.png"), covered(QRect(HostX, HostY, 800, 600)));
    ASSERT_TRUE(saver.Running());

    host.Resize(1000, 700);
    const QRect grown(HostX, HostY, 1000, 700);
    const QImage shot = x.ScreenshotWhen(env.Path() + QStringLiteral("/grown.png"), covered(grown));
    EXPECT_LT(CountArea(shot, grown, Red, White).colourShare, 0.001) << "the host's own paint shows";
    EXPECT_LT(CountArea(shot, grown, qRgb(0, 0, 0), White).colourShare, 0.01) << "a black strip";
    EXPECT_GT(CountArea(shot, QRect(HostX + 800, HostY, 200, 700), Blue, White).colourShare, 0.5) << "right strip";
    EXPECT_GT(CountArea(shot, QRect(HostX, HostY + 600, 1000, 100), Blue, White).colourShare, 0.5) << "bottom strip";
    EXPECT_TRUE(saver.Terminate());
    EXPECT_EQ(saver.ExitCode(), 0);
}

TEST(DaemonWindow, EndsWhenTheHostWindowGoesAway)
{
    TestEnvironment env;
    XvfbServer x(QStringLiteral("640x480x24"));
    ASSERT_TRUE(x.Ok());
    Store(env.SettingsFile(), {{"background mode", "1"}});
    HostWindowProcess host(x, 200, 150);
    SaverProcess saver(x, {QStringLiteral("-root")}, [&] {
        QProcessEnvironment extra;
        extra.insert(QStringLiteral("XSCREENSAVER_WINDOW"), host.Hex());
        return extra;
    }());
    x.ScreenshotWhen(env.Path() + QStringLiteral("/host.png"), ShowIn(QRect(HostX, HostY, 200, 150), qRgb(0, 0, 0)));
    ASSERT_TRUE(saver.Running());
    host.Destroy();
    EXPECT_TRUE(saver.WaitForExit());
    EXPECT_EQ(saver.ExitCode(), 0);
}

TEST(DaemonWindow, RefusesAWindowThatDoesNotExist)
{
    TestEnvironment env;
    XvfbServer x(QStringLiteral("640x480x24"));
    ASSERT_TRUE(x.Ok());
    SaverProcess saver(x, {QStringLiteral("-window-id"), QStringLiteral("0x7ffffff")}, QProcessEnvironment(), true);
    ASSERT_TRUE(saver.WaitForExit(StartLimitMs));
    EXPECT_NE(saver.ExitCode(), 0);
    EXPECT_TRUE(saver.Process().readAllStandardError().contains("0x7ffffff"));
}

TEST(DaemonWindow, TwoMonitorsTwoShowsOneMusic)
{
    TestEnvironment env;
    XvfbServer x(QStringLiteral("800x600x24"));
    ASSERT_TRUE(x.Ok());
    const QString tone = env.Path() + QStringLiteral("/tone.wav");
    ASSERT_TRUE(WriteToneWav(tone));
    Store(env.SettingsFile(), {{"background mode", "2"}, {"music mode", "1"}, {"play file", tone}});

    HostWindowProcess left(x, 300, 200);
    HostWindowProcess right(x, 300, 200, "00ff00");
    x.Run(QStringLiteral("xdotool"), {QStringLiteral("windowmove"), right.Decimal(), QStringLiteral("400"),
                                      QStringLiteral("10")});
    auto audioTo = [&](const char* name) {
        QProcessEnvironment extra;
        extra.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("disk"));
        extra.insert(QStringLiteral("SDL_DISKAUDIOFILE"), env.Path() + QLatin1Char('/') + QLatin1String(name));
        return extra;
    };
    SaverProcess first(x, {QStringLiteral("-window-id"), left.Hex()}, audioTo("first.raw"));
    SaverProcess second(x, {QStringLiteral("-window-id"), right.Hex()}, audioTo("second.raw"));
    const QImage shot = x.ScreenshotWhen(env.Path() + QStringLiteral("/two.png"), [](const QImage& image) {
        return ShowIn(QRect(HostX, HostY, 300, 200))(image) && ShowIn(QRect(400, 10, 300, 200))(image);
    });
    const QString firstSound = env.Path() + QStringLiteral("/first.raw");
    const QString secondSound = env.Path() + QStringLiteral("/second.raw");
    EXPECT_TRUE(WaitUntil([&] { return HoldsSound(firstSound) || HoldsSound(secondSound); }, StartLimitMs));
    QThread::msleep(1000);  // time for a second show to start music it must not play
    ASSERT_TRUE(first.Running());
    ASSERT_TRUE(second.Running());

    for (const QRect area : {QRect(HostX, HostY, 300, 200), QRect(400, 10, 300, 200)}) {
        const AreaCounts c = CountArea(shot, area, Blue, White);
        EXPECT_GT(c.colourShare, 0.5) << area.x();
        EXPECT_GT(c.different, 50) << area.x() << ": aircraft";
    }
    const bool firstPlays = HoldsSound(firstSound);
    const bool secondPlays = HoldsSound(secondSound);
    EXPECT_TRUE(firstPlays || secondPlays) << "one show plays the music";
    EXPECT_FALSE(firstPlays && secondPlays) << "the music plays once";

    // The music belongs to its show until that ends; a show started then takes it over.
    SaverProcess& holder = secondPlays ? second : first;
    SaverProcess& other = secondPlays ? first : second;
    EXPECT_TRUE(holder.Terminate());
    SaverProcess third(x, {QStringLiteral("-window-id"), (secondPlays ? right : left).Hex()}, audioTo("third.raw"));
    EXPECT_TRUE(WaitUntil([&] { return HoldsSound(env.Path() + QStringLiteral("/third.raw")); }, StartLimitMs));
    EXPECT_TRUE(other.Terminate());
    EXPECT_TRUE(third.Terminate());
}

TEST(DaemonWindow, WindowOpensAnOrdinaryWindowToTryItOut)
{
    TestEnvironment env;
    XvfbServer x(QStringLiteral("1600x900x24"));
    ASSERT_TRUE(x.Ok());
    Store(env.SettingsFile(), {{"background mode", "2"}});
    SaverProcess saver(x, {QStringLiteral("-window")});
    QString text;
    WaitUntil(
        [&] {
            return x.Run(QStringLiteral("xwininfo"), {QStringLiteral("-name"), QStringLiteral("Kestrova Saver")},
                         &text) == 0 &&
                   text.contains(QLatin1String("IsViewable"));
        },
        StartLimitMs);
    ASSERT_TRUE(saver.Running());
    EXPECT_TRUE(text.contains(QLatin1String("Width: 1280"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QLatin1String("Height: 720"))) << text.toStdString();
    x.Run(QStringLiteral("xdotool"), {QStringLiteral("mousemove"), QStringLiteral("30"), QStringLiteral("40")});
    QThread::msleep(500);
    EXPECT_TRUE(saver.Running());
    EXPECT_TRUE(saver.Terminate());
    EXPECT_EQ(saver.ExitCode(), 0);
}

TEST(DaemonWindow, RootWithoutADaemonWindowDrawsOnTheDesktopBelowOtherWindows)
{
    TestEnvironment env;
    XvfbServer x(QStringLiteral("800x600x24"));
    ASSERT_TRUE(x.Ok());
    Store(env.SettingsFile(), {{"background mode", "2"}});
    SaverProcess saver(x, {QStringLiteral("-root")});
    x.ScreenshotWhen(env.Path() + QStringLiteral("/root.png"), ShowIn(QRect(300, 200, 500, 400), Blue, 100));
    HostWindowProcess other(x, 200, 150);  // a window opened afterwards stays in front
    x.ScreenshotWhen(env.Path() + QStringLiteral("/root.png"), [](const QImage& image) {
        return CountArea(image, QRect(HostX, HostY, 200, 150), Red, White).colourShare > 0.95;
    });
    QThread::msleep(500);  // frames drawn since, in case the show raises itself
    ASSERT_TRUE(saver.Running());
    const QImage shot = x.Screenshot(env.Path() + QStringLiteral("/root.png"));
    const AreaCounts desktop = CountArea(shot, QRect(300, 200, 500, 400), Blue, White);
    EXPECT_GT(desktop.colourShare, 0.5);
    EXPECT_GT(desktop.different, 100) << "aircraft";
    EXPECT_GT(CountArea(shot, QRect(HostX, HostY, 200, 150), Red, White).colourShare, 0.95);
    EXPECT_TRUE(saver.Terminate());
    EXPECT_EQ(saver.ExitCode(), 0);
}
