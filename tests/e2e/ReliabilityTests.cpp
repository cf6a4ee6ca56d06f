// The real program against bad settings, bad files and faults: it must start with
// defaults for what is unusable, end with a clear message where it cannot go on, and
// never crash or hang.
#include "DaemonSupport.h"
#include "SaverProcess.h"
#include "TestEnvironment.h"
#include "XvfbServer.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QSettings>

#include <csignal>
#include <random>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

namespace {

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

const QString ShowTitle = QStringLiteral("Kestrova Saver");
const QString OptionsTitle = QStringLiteral("Kestrova Saver Option");

// Runs the show until its window is up and a moment longer, and ends it as a daemon
// would; true when it ran and ended cleanly.
::testing::AssertionResult ShowRunsAndEndsCleanly(const XvfbServer& x,
                                                  const QProcessEnvironment& extra = QProcessEnvironment())
{
    SaverProcess show(x, {QStringLiteral("/s")}, extra);
    if (!WaitUntil([&] { return !show.Running() || x.WindowViewable(ShowTitle); }, StartLimitMs))
        return ::testing::AssertionFailure() << "no show window";
    QThread::msleep(500);
    if (!show.Running())
        return ::testing::AssertionFailure() << "the show ended by itself with status " << show.ExitCode();
    if (!show.Terminate())
        return ::testing::AssertionFailure() << "no exit within " << ExitLimitMs / 1000 << " s of SIGTERM";
    if (show.ExitCode() != 0)
        return ::testing::AssertionFailure() << "exit status " << show.ExitCode();
    return ::testing::AssertionSuccess();
}

// Whether the process has its SIGTERM handler in place (the SigCgt mask of /proc).
bool CatchesSigterm(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("SigCgt:"))
            return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (SIGTERM - 1)) & 1;
    }
    return false;
}

class Reliability : public ::testing::Test {
protected:
    TestEnvironment env;
    XvfbServer x{QStringLiteral("800x600x24")};
};

}  // namespace

TEST_F(Reliability, EveryKeyWithGarbageHugeNegativeOrEmptyValuesStillShows)
{
    ASSERT_TRUE(x.Ok());
    const char* keys[] = {"flight mode",       "number of blue", "speed of blue",   "step of blue",
                          "smoke mode",        "length of smoke", "number of complement",
                          "kind of airplane",  "music mode",     "play file",       "sound volume",
                          "player app",        "display mode",   "background mode", "background file"};
    const QStringList values = {QStringLiteral("garbage"), QStringLiteral("99999999999"), QStringLiteral("32767"),
                                QStringLiteral("-32768"), QStringLiteral("-1"), QString()};
    for (const QString& value : values) {
        QFile::remove(env.SettingsFile());
        {
            QSettings store(env.SettingsFile(), QSettings::IniFormat);
            for (const char* key : keys)
                store.setValue(QStringLiteral("Option/") + QLatin1String(key), value);
            // A picture background would end the show with a message; keep a colour.
            store.setValue(QStringLiteral("Option/background mode"), value == "-1" ? "3" : value);
        }
        EXPECT_TRUE(ShowRunsAndEndsCleanly(x)) << "every key set to \"" << value.toStdString() << '"';
    }
}

TEST_F(Reliability, AnUnusableSettingsFileStillShowsWithDefaults)
{
    ASSERT_TRUE(x.Ok());
    QByteArray junk(8192, '\0');
    std::mt19937 random(3);
    for (char& c : junk)
        c = static_cast<char>(random());
    WriteFile(env.SettingsFile(), junk);
    EXPECT_TRUE(ShowRunsAndEndsCleanly(x)) << "binary junk";

    QFile::remove(env.SettingsFile());
    QDir().mkpath(env.SettingsFile());
    EXPECT_TRUE(ShowRunsAndEndsCleanly(x)) << "a folder in its place";
    QDir(env.SettingsFile()).removeRecursively();

    // Reading a FIFO would block until someone writes to it.
    ASSERT_EQ(mkfifo(QFile::encodeName(env.SettingsFile()).constData(), 0600), 0);
    EXPECT_TRUE(ShowRunsAndEndsCleanly(x)) << "a FIFO in its place";
    QFile::remove(env.SettingsFile());

    WriteFile(env.SettingsFile(), "[Option]\nbackground%20mode=2\n");
    QFile::setPermissions(env.SettingsFile(), QFileDevice::Permissions());
    EXPECT_TRUE(ShowRunsAndEndsCleanly(x)) << "unreadable";
}

TEST_F(Reliability, TheOptionsDialogWritesAValidFileOverJunk)
{
    ASSERT_TRUE(x.Ok());
    WriteFile(env.SettingsFile(), QByteArray("\x01\x02[Option\nflight mode=\xff\xfe\n\0\0\0", 24));
    SaverProcess options(x, {QStringLiteral("/c")});
    ASSERT_TRUE(WaitUntil([&] { return x.WindowViewable(OptionsTitle); }, StartLimitMs));
    ASSERT_TRUE(options.InputUntilExit(x, {QStringLiteral("key"), QStringLiteral("Return")}));
    EXPECT_EQ(options.ExitCode(), 0);

    QSettings store(env.SettingsFile(), QSettings::IniFormat);
    EXPECT_EQ(store.status(), QSettings::NoError);
    EXPECT_EQ(store.value(QStringLiteral("Option/number of blue")).toString(), QStringLiteral("30"));
    EXPECT_EQ(store.value(QStringLiteral("Option/step of blue")).toString(), QStringLiteral("27"));
}

TEST_F(Reliability, MusicThatCannotPlayLeavesTheShowSilentNotBroken)
{
    ASSERT_TRUE(x.Ok());
    QProcessEnvironment audio;
    audio.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("disk"));
    audio.insert(QStringLiteral("SDL_DISKAUDIOFILE"), env.Path() + QStringLiteral("/audio.raw"));
    WriteFile(env.Path() + "/empty.mid", {});
    WriteFile(env.Path() + "/cut.wav", QByteArray("RIFF\x24\x08\x00\x00WAVEfmt ", 16));
    WriteFile(env.Path() + "/text.mp3", "this is no music");
    WriteFile(env.Path() + "/player.sh", "#!/bin/sh\nsleep 60\n");  // not executable
    // A one-second MIDI piece, cut to two thirds and, whole, with SMPTE timing: the synthesizer
    // would retry them for ever and never let go of the mixer.
    const QByteArray midi("MThd\0\0\0\x06\0\0\0\x01\0\x60MTrk\0\0\0\x0c"
                          "\0\x90\x3c\x64\x81\x40\x3c\0\0\xff\x2f\0", 34);
    WriteFile(env.Path() + "/cut.mid", midi.left(midi.size() * 2 / 3));
    WriteFile(env.Path() + "/smpte.mid", midi.left(12) + "\xe7\x28" + midi.mid(14));
    // Mu-law without channels: a division by zero in the decoder.
    WriteFile(env.Path() + "/nochannels.wav", QByteArray("RIFF\x2c\0\0\0WAVEfmt \x10\0\0\0\x07\0\0\0\x40\x1f\0\0"
                                                        "\0\0\0\0\0\0\x08\0data\x08\0\0\0\x01\x02\x03\x04\x05\x06\x07\x08", 52));

    struct Case {
        const char* mode;
        QString file;
    };
    const Case cases[] = {{"1", env.Path() + "/missing.mid"}, {"1", env.Path() + "/empty.mid"},
                          {"1", env.Path() + "/cut.wav"},     {"3", env.Path() + "/text.mp3"},
                          {"3", env.Path() + "/missing.mp3"}, {"2", env.Path() + "/cut.wav"},
                          {"3", env.Path() + "/cut.mid"},     {"3", env.Path() + "/smpte.mid"},
                          {"1", env.Path() + "/nochannels.wav"}, {"3", env.Path() + "/nochannels.wav"}};
    for (const Case& c : cases) {
        QFile::remove(env.SettingsFile());
        {
            QSettings store(env.SettingsFile(), QSettings::IniFormat);
            store.setValue(QStringLiteral("Option/background mode"), "5");
            store.setValue(QStringLiteral("Option/music mode"), c.mode);
            store.setValue(QStringLiteral("Option/play file"), c.file);
            store.setValue(QStringLiteral("Option/player app"), env.Path() + "/player.sh");
        }
        EXPECT_TRUE(ShowRunsAndEndsCleanly(x, audio)) << c.mode << ' ' << c.file.toStdString();
    }

    // A mixer library that does not load (a broken copy found first): a good piece stays
    // silent, as with a device that cannot open, and the show goes on.
    QDir().mkpath(env.Path() + "/broken-lib");
    WriteFile(env.Path() + "/broken-lib/libSDL2_mixer-2.0.so.0", "not a library");
    ASSERT_TRUE(daemon_test::WriteToneWav(env.Path() + "/tone.wav"));
    const QString unheard = env.Path() + "/unheard.raw";
    audio.insert(QStringLiteral("SDL_DISKAUDIOFILE"), unheard);
    audio.insert(QStringLiteral("LD_LIBRARY_PATH"), env.Path() + "/broken-lib");
    QFile::remove(env.SettingsFile());
    {
        QSettings store(env.SettingsFile(), QSettings::IniFormat);
        store.setValue(QStringLiteral("Option/background mode"), "5");
        store.setValue(QStringLiteral("Option/music mode"), "1");
        store.setValue(QStringLiteral("Option/play file"), env.Path() + "/tone.wav");
    }
    EXPECT_TRUE(ShowRunsAndEndsCleanly(x, audio)) << "the mixer library does not load";
    EXPECT_FALSE(QFile::exists(unheard)) << "audio opened through a mixer library that cannot load";
}

TEST_F(Reliability, SigtermAtAnyMomentEndsCleanly)
{
    ASSERT_TRUE(x.Ok());
    WriteFile(env.SettingsFile(), "[Option]\nbackground%20mode=0\n");
    // From the moment the program catches signals, before it has set anything else up,
    // to well into the show.
    for (const int delayMs : {0, 10, 30, 60, 120, 200, 300, 450, 700, 1000, 1400}) {
        SaverProcess show(x, {QStringLiteral("/s")});
        ASSERT_TRUE(WaitUntil([&] { return CatchesSigterm(show.Pid()); }, StartLimitMs));
        QThread::msleep(delayMs);
        ASSERT_TRUE(show.Terminate()) << "after " << delayMs << " ms";
        EXPECT_EQ(show.Process().exitStatus(), QProcess::NormalExit) << "after " << delayMs << " ms";
    }
}

TEST_F(Reliability, AnXServerThatGoesAwayEndsTheShow)
{
    TestEnvironment own;
    auto server = std::make_unique<XvfbServer>(QStringLiteral("640x480x24"));
    ASSERT_TRUE(server->Ok());
    WriteFile(own.SettingsFile(), "[Option]\nbackground%20mode=2\n");
    SaverProcess show(*server, {QStringLiteral("/s")});
    ASSERT_TRUE(WaitUntil([&] { return server->WindowViewable(ShowTitle); }, StartLimitMs));
    ASSERT_TRUE(show.Running());
    server.reset();
    EXPECT_TRUE(show.WaitForExit()) << "the show hangs without its display";
}

namespace {

// Settings for music through the given script as the external player.
void UsePlayerScript(const TestEnvironment& env, const QString& script)
{
    const QString player = env.Path() + QStringLiteral("/player.sh");
    WriteFile(player, script.toUtf8());
    QFile::setPermissions(player, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    WriteFile(env.Path() + QStringLiteral("/song.mid"), "MThd");
    QSettings store(env.SettingsFile(), QSettings::IniFormat);
    store.setValue(QStringLiteral("Option/background mode"), "2");
    store.setValue(QStringLiteral("Option/music mode"), "2");
    store.setValue(QStringLiteral("Option/player app"), player);
    store.setValue(QStringLiteral("Option/play file"), env.Path() + QStringLiteral("/song.mid"));
}

// A player script that logs "started" and, on SIGTERM, "closed"; returns the log's path.
QString PlayerThatLogs(const TestEnvironment& env)
{
    const QString log = env.Path() + QStringLiteral("/player.log");
    UsePlayerScript(env, QStringLiteral("#!/bin/bash\ntrap 'echo closed >> %1; exit 0' TERM\necho started >> %1\n"
                                        "while :; do sleep 0.1; done\n")
                             .arg(log));
    return log;
}

bool LogSays(const QString& log, const char* word)
{
    QFile file(log);
    return file.open(QIODevice::ReadOnly) && file.readAll().contains(word);
}

}  // namespace

TEST_F(Reliability, TheExternalPlayerIsClosedWhenTheDisplayGoesAway)
{
    TestEnvironment own;
    auto server = std::make_unique<XvfbServer>(QStringLiteral("640x480x24"));
    ASSERT_TRUE(server->Ok());
    const QString log = PlayerThatLogs(own);
    SaverProcess show(*server, {QStringLiteral("/s")});
    ASSERT_TRUE(WaitUntil([&] { return LogSays(log, "started"); }, StartLimitMs)) << "the player did not start";
    server.reset();
    ASSERT_TRUE(show.WaitForExit());
    EXPECT_TRUE(WaitUntil([&] { return LogSays(log, "closed"); }, ExitLimitMs)) << "the player was left running";
}

TEST_F(Reliability, TheExternalPlayerIsClosedEvenWhenTheShowIsKilled)
{
    ASSERT_TRUE(x.Ok());
    const QString log = PlayerThatLogs(env);
    SaverProcess show(x, {QStringLiteral("/s")});
    ASSERT_TRUE(WaitUntil([&] { return LogSays(log, "started"); }, StartLimitMs)) << "the player did not start";
    show.Process().kill();
    ASSERT_TRUE(show.WaitForExit());
    EXPECT_TRUE(WaitUntil([&] { return LogSays(log, "closed"); }, ExitLimitMs)) << "the player was left running";
}

namespace {

// Whether the process has ended (a zombie left for its new parent counts as ended).
bool Gone(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return true;
    const QByteArray text = stat.readAll();
    return text.mid(text.lastIndexOf(')') + 2, 1) == "Z";
}

}  // namespace

TEST_F(Reliability, NothingAWrapperPlayerStartedOutlivesTheShowHoweverItEnds)
{
    ASSERT_TRUE(x.Ok());
    // A launcher script as many players have: the real player runs as its child.
    const QString childPid = env.Path() + QStringLiteral("/child.pid");
    UsePlayerScript(env, QStringLiteral("#!/bin/sh\nsleep 300 &\necho $! > %1\nwait\n").arg(childPid));
    for (const char* ending : {"key", "SIGTERM", "SIGKILL"}) {
        QFile::remove(childPid);
        SaverProcess show(x, {QStringLiteral("/s")});
        qint64 child = 0;
        ASSERT_TRUE(WaitUntil(
            [&] {
                QFile file(childPid);
                child = file.open(QIODevice::ReadOnly) ? file.readAll().trimmed().toLongLong() : 0;
                return child > 0;
            },
            StartLimitMs))
            << "the player did not start its child";
        QThread::msleep(300);
        if (QByteArray(ending) == "key")
            x.Run(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("space")});
        else
            ::kill(static_cast<pid_t>(show.Pid()), QByteArray(ending) == "SIGTERM" ? SIGTERM : SIGKILL);
        ASSERT_TRUE(show.WaitForExit()) << ending;
        EXPECT_TRUE(WaitUntil([&] { return Gone(child); }, 2000)) << "the player's child outlived the show: " << ending;
        ::kill(static_cast<pid_t>(child), SIGKILL);
    }
}

TEST_F(Reliability, ASignalClosesTheOptionsDialogAsCancelWould)
{
    ASSERT_TRUE(x.Ok());
    SaverProcess options(x, {QStringLiteral("/c")});
    ASSERT_TRUE(WaitUntil([&] { return x.WindowViewable(OptionsTitle); }, StartLimitMs));
    ASSERT_TRUE(options.Terminate());
    EXPECT_EQ(options.ExitCode(), 0);
    EXPECT_FALSE(QFile::exists(env.SettingsFile())) << "nothing is saved";
}

// 3D shows take turns with the work files beside the program.
TEST_F(Reliability, AQueued3DShowEndsOnSigtermAndAnAbandonedWorkLockIsTakenOver)
{
    ASSERT_TRUE(x.Ok());
    WriteFile(env.SettingsFile(), "[Option]\nbackground%20mode=2\n");
    const QString lock =
        QFileInfo(QStringLiteral(KESTROVA_BINARY)).absolutePath() + QStringLiteral("/.work-files.lock");
    QProcessEnvironment software;
    software.insert(QStringLiteral("LIBGL_ALWAYS_SOFTWARE"), QStringLiteral("1"));
    const QStringList arguments = {QStringLiteral("-window"), QStringLiteral("--kind"), QStringLiteral("200")};
    {
        QLockFile busy(lock);  // another show busy with the work files
        ASSERT_TRUE(busy.tryLock(0));
        SaverProcess queued(x, arguments, software);
        QThread::msleep(1000);  // time to join the queue; a signal at any moment must end it
        ASSERT_TRUE(queued.Running());
        EXPECT_TRUE(queued.Terminate()) << "still waiting its turn after SIGTERM";
        EXPECT_EQ(queued.ExitCode(), 0);
    }
    // A show killed just as it took the lock leaves the file empty. Qt would wait for it
    // to be 30 s old; kept fresh here, it never would be.
    WriteFile(lock, {});
    SaverProcess show(x, arguments, software);
    EXPECT_TRUE(WaitUntil(
        [&] {
            utimes(QFile::encodeName(lock).constData(), nullptr);
            return x.WindowViewable(ShowTitle);
        },
        StartLimitMs));
    EXPECT_TRUE(show.Terminate());
    EXPECT_EQ(show.ExitCode(), 0);
}

// With no runtime folder of the user's own, Qt's fallback would be the shared temporary
// folder, where another user can plant the show's lock.
TEST_F(Reliability, ALockPlantedByAnotherUserDoesNotStopTheShow)
{
    ASSERT_TRUE(x.Ok());
    if (geteuid() != 0)
        GTEST_SKIP() << "making a folder another user owns needs root";
    WriteFile(env.SettingsFile(), "[Option]\nbackground%20mode=2\n");
    const QString shared = env.Path() + QStringLiteral("/tmp");
    const QString theirs = shared + QStringLiteral("/runtime-root");
    QDir().mkpath(theirs);
    chmod(QFile::encodeName(shared).constData(), 01777);
    chmod(QFile::encodeName(theirs).constData(), 0700);
    ASSERT_EQ(chown(QFile::encodeName(theirs).constData(), 65534, 65534), 0);
    // Locks that name a live process (this test).
    const QByteArray planted =
        QByteArray::number(getpid()) + "\nkestrova-saver\n" + QSysInfo::machineHostName().toUtf8() + '\n';
    WriteFile(shared + QStringLiteral("/Kestrova-Saver.lock"), planted);
    WriteFile(theirs + QStringLiteral("/Kestrova-Saver.lock"), planted);

    qunsetenv("XDG_RUNTIME_DIR");
    QProcessEnvironment extra;
    extra.insert(QStringLiteral("TMPDIR"), shared);
    EXPECT_TRUE(ShowRunsAndEndsCleanly(x, extra));
    const QFileInfo own(env.Path() + QStringLiteral("/cache/kestrova-saver/locks"));
    EXPECT_TRUE(own.isDir());
    EXPECT_EQ(own.permissions() & (QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup |
                                   QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther),
              QFileDevice::Permissions());
}

TEST(NoDisplay, TheProgramSaysItNeedsOneAndEndsWithStatus1)
{
    TestEnvironment env;
    // No display named, and one where no server answers; no compositor either (the
    // environment's runtime folder holds no wayland-0).
    for (const QString& display : {QString(), QStringLiteral(":4093")}) {
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        e.remove(QStringLiteral("QT_QPA_PLATFORM"));
        e.remove(QStringLiteral("WAYLAND_DISPLAY"));
        e.remove(QStringLiteral("DISPLAY"));
        if (!display.isEmpty())
            e.insert(QStringLiteral("DISPLAY"), display);
        QProcess show;
        show.setProcessEnvironment(e);
        show.start(QStringLiteral(KESTROVA_BINARY), {QStringLiteral("/s")});
        ASSERT_TRUE(show.waitForFinished(10000));
        EXPECT_EQ(show.exitStatus(), QProcess::NormalExit) << display.toStdString();
        EXPECT_EQ(show.exitCode(), 1) << display.toStdString();
        const QByteArray said = show.readAllStandardError();
        EXPECT_EQ(said.count('\n'), 1) << said.toStdString();
        EXPECT_TRUE(said.contains("X display")) << said.toStdString();
        EXPECT_TRUE(said.contains("Wayland compositor")) << said.toStdString();
    }
}
