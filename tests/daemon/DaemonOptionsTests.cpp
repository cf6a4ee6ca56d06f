#include "DaemonOptions.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace {

QStringList Words(const char* line)
{
    return QString::fromLatin1(line).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

DaemonParse Parse(const char* line, const char* screensaverWindow = "")
{
    return ParseDaemonOptions(Words(line), QString::fromLatin1(screensaverWindow));
}

}  // namespace

TEST(DaemonOptions, OnlyArgumentsStartingWithADashAreTheDaemonsOwn)
{
    EXPECT_TRUE(IsDaemonCommandLine(Words("-root")));
    EXPECT_TRUE(IsDaemonCommandLine(Words("--window-id 12")));
    EXPECT_FALSE(IsDaemonCommandLine(QStringList{}));
    for (const char* line : {"/s", "/p 1234", "/c", "/c:5678", "/a", "s"})
        EXPECT_FALSE(IsDaemonCommandLine(Words(line))) << line;
}

TEST(DaemonOptions, WindowIdsAreHexadecimalOrDecimal)
{
    EXPECT_EQ(ParseWindowId("0x600008"), 0x600008u);
    EXPECT_EQ(ParseWindowId("0X1a"), 0x1au);
    EXPECT_EQ(ParseWindowId("6291464"), 6291464u);
    EXPECT_EQ(ParseWindowId("4294967295"), 4294967295u);
    for (const char* bad : {"", "0", "0x0", "0x", "-5", "12ab", "0x1g", "4294967296", "0x100000000", "1.5", "x12"})
        EXPECT_FALSE(ParseWindowId(QString::fromLatin1(bad))) << bad;
}

TEST(DaemonOptions, PlaceFollowsRootWindowAndWindowId)
{
    const DaemonParse none = Parse("--kind 3");
    ASSERT_TRUE(none.Options);
    EXPECT_EQ(none.Options->Place, ShowPlace::OwnWindow);

    // -root draws into the daemon's window when it names one, else onto the root.
    const DaemonParse daemon = Parse("-root", "0x600008");
    ASSERT_TRUE(daemon.Options);
    EXPECT_EQ(daemon.Options->Place, ShowPlace::Root);
    EXPECT_EQ(daemon.Options->WindowId, 0x600008u);
    const DaemonParse root = Parse("--root");
    ASSERT_TRUE(root.Options);
    EXPECT_EQ(root.Options->Place, ShowPlace::Root);
    EXPECT_EQ(root.Options->WindowId, 0u);

    // XSCREENSAVER_WINDOW is for -root only: -window keeps a window of its own.
    const DaemonParse own = Parse("-window", "0x600008");
    ASSERT_TRUE(own.Options);
    EXPECT_EQ(own.Options->Place, ShowPlace::OwnWindow);
    EXPECT_EQ(Parse("-root -window").Options->Place, ShowPlace::OwnWindow);
    EXPECT_EQ(Parse("-window -root").Options->Place, ShowPlace::Root);

    // -window-id wins, wherever it stands, over -root and its environment.
    for (const char* line : {"-window-id 0x2a -root", "-root --window-id 42", "--window-id=42 -window"}) {
        const DaemonParse id = Parse(line, "0x600008");
        ASSERT_TRUE(id.Options) << line;
        EXPECT_EQ(id.Options->Place, ShowPlace::WindowId) << line;
        EXPECT_EQ(id.Options->WindowId, 42u) << line;
    }
}

TEST(DaemonOptions, AGarbledDaemonWindowIsRefusedRatherThanDrawnOverTheRoot)
{
    for (const char* env : {"junk", "0", "0x"}) {
        const DaemonParse p = Parse("-root", env);
        EXPECT_FALSE(p.Options) << env;
        EXPECT_TRUE(p.Error.contains(QLatin1String("XSCREENSAVER_WINDOW"))) << p.Error.toStdString();
    }
}

TEST(DaemonOptions, OverridesTakeEitherDashStyleAndEitherValueStyle)
{
    const DaemonParse p = Parse("-root --kind 201 -flight-mode=1 --count 100 --no-smoke --background=10");
    ASSERT_TRUE(p.Options) << p.Error.toStdString();
    const ShowOverrides& o = p.Options->Overrides;
    EXPECT_EQ(o.AirplaneKind, 201);
    EXPECT_EQ(o.FlightMode, 1);
    EXPECT_EQ(o.BlueCount, 100);
    EXPECT_EQ(o.SmokeMode, 0);
    EXPECT_EQ(o.BackgroundMode, 10);
    EXPECT_EQ(Parse("--no-smoke --smoke").Options->Overrides.SmokeMode, 1);

    SaverSettings settings;
    settings.BlueStep = 12;
    settings.MusicMode = 2;
    ApplyOverrides(o, settings);
    EXPECT_EQ(settings.AirplaneKind, 201);
    EXPECT_EQ(settings.FlightMode, 1);
    EXPECT_EQ(settings.BlueCount, 100);
    EXPECT_EQ(settings.SmokeMode, 0);
    EXPECT_EQ(settings.BackgroundMode, 10);
    EXPECT_EQ(settings.BlueStep, 12) << "what was not passed stays as stored";
    EXPECT_EQ(settings.MusicMode, 2);

    SaverSettings untouched;
    ApplyOverrides(Parse("-root").Options->Overrides, untouched);
    EXPECT_EQ(untouched, SaverSettings());
}

TEST(DaemonOptions, ValuesOutsideWhatTheShowKnowsAreRefused)
{
    for (const char* line : {"--kind 6", "--kind 100", "--kind 202", "--kind -1", "--kind 3x", "--flight-mode 2",
                             "--count 0", "--count 101", "--count 99999999", "--background 11",
                             "--background -1", "--kind", "--count=", "--window-id", "--window-id 0",
                             "--smoke=1", "-root=1", "--speed 3", "-root extra", "-", "--"}) {
        const DaemonParse p = Parse(line);
        EXPECT_FALSE(p.Options) << line;
        EXPECT_FALSE(p.Error.isEmpty()) << line;
    }
    for (const char* line : {"--kind 0", "--kind 5", "--kind 101", "--kind 200", "--count 1", "--background 0"})
        EXPECT_TRUE(Parse(line).Options) << line;
}

TEST(DaemonOptions, HelpIsAskedFor)
{
    EXPECT_TRUE(Parse("--help").Options->Help);
    EXPECT_TRUE(Parse("-h").Options->Help);
    EXPECT_FALSE(Parse("-root").Options->Help);
}
