#include "SettingsStore.h"
#include "QtPrinters.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QSettings>

#include <chrono>
#include <csignal>
#include <future>
#include <random>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

void WriteRaw(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
}

SaverSettings Sample()
{
    SaverSettings s;
    s.FlightMode = 1;
    s.BlueCount = -7;
    s.BlueWait = 50;
    s.BlueStep = 1;
    s.SmokeMode = 0;
    s.SmokeLength = -32768;
    s.ComplementCount = 32767;
    s.AirplaneKind = 201;
    s.MusicMode = 2;
    s.PlayFile = "/home/a user/My Music/bgm, part 1.mid";
    s.SoundVolume = 0;
    s.PlayerApp = "/opt/some player/play er";
    s.DisplayMode = 2;
    s.BackgroundMode = 10;
    s.BackgroundFile = "C:\\Pictures\\sky =blue; #1.jpg";
    return s;
}

}  // namespace

TEST(SettingsStore, AnEmptyStoreGivesTheDefaults)
{
    TestEnvironment env;
    SaverSettings s;
    s.BlueCount = 99;
    s.PlayFile = "x";
    LoadSettings(s);
    EXPECT_EQ(s.FlightMode, 0);
    EXPECT_EQ(s.BlueCount, 30);
    EXPECT_EQ(s.BlueWait, 0);
    EXPECT_EQ(s.BlueStep, 27);
    EXPECT_EQ(s.SmokeMode, 1);
    EXPECT_EQ(s.SmokeLength, 150);
    EXPECT_EQ(s.ComplementCount, 15);
    EXPECT_EQ(s.AirplaneKind, 0);
    EXPECT_EQ(s.MusicMode, 0);
    EXPECT_EQ(s.PlayFile, "");
    EXPECT_EQ(s.SoundVolume, 3000);
    EXPECT_EQ(s.PlayerApp, "");
    EXPECT_EQ(s.DisplayMode, 0);
    EXPECT_EQ(s.BackgroundMode, 0);
    EXPECT_EQ(s.BackgroundFile, "");
}

TEST(SettingsStore, SaveAndLoadRoundTripEveryField)
{
    TestEnvironment env;
    const SaverSettings saved = Sample();
    ASSERT_TRUE(SaveSettings(saved));
    EXPECT_EQ(SettingsFilePath(), env.SettingsFile());

    SaverSettings loaded;
    LoadSettings(loaded);
    EXPECT_EQ(loaded, saved);

    // Integers are stored as plain decimal text under the documented keys.
    QSettings raw(env.SettingsFile(), QSettings::IniFormat);
    EXPECT_EQ(raw.value(QStringLiteral("Option/number of blue")).toString(), QStringLiteral("-7"));
    EXPECT_EQ(raw.value(QStringLiteral("Option/kind of airplane")).toString(), QStringLiteral("201"));
}

TEST(SettingsStore, EntriesThatAreNotSixteenBitDecimalsReadAsDefaults)
{
    TestEnvironment env;
    WriteRaw(env.SettingsFile(),
             "[Option]\n"
             "flight mode=abc\n"
             "number of blue=40000\n"
             "speed of blue=-32769\n"
             "step of blue=12.5\n"
             "smoke mode=\n"
             "length of smoke=6 0\n"
             "number of complement=0x10\n"
             "kind of airplane=-\n"
             "music mode=3\n"
             "sound volume=+5\n"
             "display mode=1e3\n"
             "background mode=-32768\n");
    SaverSettings s;
    LoadSettings(s);
    const SaverSettings d;
    EXPECT_EQ(s.FlightMode, d.FlightMode);
    EXPECT_EQ(s.BlueCount, d.BlueCount);
    EXPECT_EQ(s.BlueWait, d.BlueWait);
    EXPECT_EQ(s.BlueStep, d.BlueStep);
    EXPECT_EQ(s.SmokeMode, d.SmokeMode);
    EXPECT_EQ(s.SmokeLength, d.SmokeLength);
    EXPECT_EQ(s.ComplementCount, d.ComplementCount);
    EXPECT_EQ(s.AirplaneKind, d.AirplaneKind);
    EXPECT_EQ(s.MusicMode, 3);
    EXPECT_EQ(s.SoundVolume, d.SoundVolume);
    EXPECT_EQ(s.DisplayMode, d.DisplayMode);
    // The store does not clamp: an in-range but unusual value is read unchanged.
    EXPECT_EQ(s.BackgroundMode, -32768);
}

TEST(SettingsStore, ValuesOutsideTheDialogRangesAreReadUnchanged)
{
    TestEnvironment env;
    WriteRaw(env.SettingsFile(), "[Option]\nnumber of blue=150\nbackground mode=11\nkind of airplane=7\n");
    SaverSettings s;
    LoadSettings(s);
    EXPECT_EQ(s.BlueCount, 150);
    EXPECT_EQ(s.BackgroundMode, 11);
    EXPECT_EQ(s.AirplaneKind, 7);
    EXPECT_EQ(ReadSettingInt("background mode", 0), 11);
    EXPECT_EQ(ReadSettingInt("flight mode", 0), 0);
}

TEST(SettingsStore, AJunkFileGivesDefaultsAndIsReplacedCleanlyOnSave)
{
    TestEnvironment env;
    QByteArray junk(4096, '\0');
    for (int i = 0; i < junk.size(); ++i)
        junk[i] = static_cast<char>((i * 131) & 0xff);
    WriteRaw(env.SettingsFile(), junk);

    SaverSettings s;
    LoadSettings(s);
    EXPECT_EQ(s, SaverSettings());

    ASSERT_TRUE(SaveSettings(Sample()));
    SaverSettings loaded;
    LoadSettings(loaded);
    EXPECT_EQ(loaded, Sample());
    QFile file(env.SettingsFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_FALSE(file.readAll().contains('\0'));
}

TEST(SettingsStore, ASettingsPathThatIsAFolderIsReportedNotIgnored)
{
    TestEnvironment env;
    QDir().mkpath(env.SettingsFile());
    SaverSettings s;
    LoadSettings(s);
    EXPECT_EQ(s, SaverSettings());
    std::string error;
    EXPECT_FALSE(SaveSettings(Sample(), &error));
    EXPECT_FALSE(error.empty());
}

// A save killed at any moment leaves either the old or the new file, never a broken one.
TEST(SettingsStore, ASaveKilledMidWayLeavesACompleteFile)
{
    TestEnvironment env;
    SaverSettings a;
    a.PlayFile = std::string(2000, 'a');
    SaverSettings b = Sample();
    b.PlayFile = std::string(3000, 'b');
    ASSERT_TRUE(SaveSettings(a));

    std::mt19937 random(42);
    for (int round = 0; round < 40; ++round) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int i = 0;; ++i)
                SaveSettings(i % 2 ? a : b);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(500 + random() % 20000));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);

        SaverSettings loaded;
        LoadSettings(loaded);
        ASSERT_TRUE(loaded == a || loaded == b) << "round " << round;
    }
}

// A save killed as it took the lock leaves an empty lock file; one killed as it renamed
// its new file leaves that file beside the settings. The next save neither waits for the
// one nor keeps the other.
TEST(SettingsStore, LeftoversOfAKilledSaveAreClearedByTheNext)
{
    TestEnvironment env;
    ASSERT_TRUE(SaveSettings(SaverSettings()));
    const QString file = env.SettingsFile();
    WriteRaw(file + ".lock", {});
    WriteRaw(file + ".Ab3xYz", "[Option]\n");
    WriteRaw(file + ".unreadable", "kept");
    auto saved = std::async(std::launch::async, [] { return SaveSettings(Sample()); });
    ASSERT_EQ(saved.wait_for(std::chrono::seconds(10)), std::future_status::ready) << "waited for the empty lock";
    EXPECT_TRUE(saved.get());
    EXPECT_FALSE(QFile::exists(file + ".Ab3xYz"));
    EXPECT_FALSE(QFile::exists(file + ".lock"));
    EXPECT_TRUE(QFile::exists(file + ".unreadable"));
    SaverSettings loaded;
    LoadSettings(loaded);
    EXPECT_EQ(loaded, Sample());
}

// A disk that fills up while the file is written: the save says so and the old file stays.
TEST(SettingsStore, AFullDiskKeepsTheOldFileAndIsReported)
{
    TestEnvironment env;
    SaverSettings old;
    old.BlueCount = 42;
    ASSERT_TRUE(SaveSettings(old));

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Writes beyond 64 bytes now fail as on a full disk (EFBIG instead of ENOSPC).
        signal(SIGXFSZ, SIG_IGN);
        rlimit limit{64, 64};
        setrlimit(RLIMIT_FSIZE, &limit);
        SaverSettings bigger = Sample();
        bigger.PlayFile = std::string(5000, 'x');
        std::string error;
        const bool saved = SaveSettings(bigger, &error);
        _exit(!saved && !error.empty() ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the failed save was reported as failed";

    SaverSettings loaded;
    LoadSettings(loaded);
    EXPECT_EQ(loaded, old);
}
