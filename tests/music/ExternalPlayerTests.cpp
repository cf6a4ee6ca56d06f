// The external player route with a real child process: a script that records what it gets.
#include "AudioFixtures.h"
#include "MusicController.h"
#include "Platform.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <thread>
#include <sys/wait.h>

namespace {

// A stand-in player that logs its arguments and the SIGTERM that closes it. Python keeps
// the signal mask it was started with (a shell would clear it), so a blocked SIGTERM shows.
constexpr const char* PlayerScript = R"(#!/usr/bin/env python3
import os, signal, sys, time
log = os.path.join(os.path.dirname(os.path.abspath(__file__)), "log")
def write(line):
    with open(log, "a") as f:
        f.write(line + "\n")
for word in sys.argv[1:]:
    write("arg " + word)
def closing(signum, frame):
    write("TERM")
    sys.exit(0)
signal.signal(signal.SIGTERM, closing)
write("ready")
while True:
    time.sleep(1)
)";

class ExternalPlayerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir(dir_.path()).mkpath(QStringLiteral("Player Folder")));
        player_ = dir_.path() + QStringLiteral("/Player Folder/player.py");
        WriteTextFile(player_, PlayerScript);
        QFile::setPermissions(player_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    std::unique_ptr<MusicController> Make(const QString& playFile, const QString& playerApp)
    {
        SaverSettings settings;
        settings.MusicMode = 2;
        settings.PlayFile = playFile.toStdString();
        settings.PlayerApp = playerApp.toStdString();
        return std::make_unique<MusicController>(settings, AppFolder().toStdString(), MakeMusicDevices());
    }

    QString AppFolder() const { return dir_.path() + QStringLiteral("/app/"); }

    QStringList Log() const
    {
        QFile file(dir_.path() + QStringLiteral("/Player Folder/log"));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    bool WaitForLogLine(const QString& line) const
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!Log().contains(line)) {
            if (std::chrono::steady_clock::now() > deadline)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return true;
    }

    QTemporaryDir dir_;
    QString player_;
};

bool Exists(pid_t pid)
{
    return kill(pid, 0) == 0 || errno != ESRCH;
}

TEST_F(ExternalPlayerTest, GetsTheQuotedPathClosesOnSigtermAndLeavesNoProcess)
{
    // The show may block SIGTERM to receive it as an event; the player must not inherit that.
    sigset_t term, previous;
    sigemptyset(&term);
    sigaddset(&term, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &term, &previous);

    const QString song = dir_.path() + QStringLiteral("/My Music/it's a song.mp3");
    std::unique_ptr<MusicController> music = Make(song, player_);
    music->MusicControl(MusicController::Start);
    const pid_t pid = pid_t(music->PlayerTaskId());
    ASSERT_GT(pid, 0);
    ASSERT_TRUE(WaitForLogLine(QStringLiteral("ready")));
    music->MusicControl(MusicController::Start);
    music->MusicControl(MusicController::Poll);
    EXPECT_EQ(pid_t(music->PlayerTaskId()), pid);
    EXPECT_EQ(Log(), (QStringList{QStringLiteral("arg ") + song, QStringLiteral("ready")}));

    music->MusicControl(MusicController::Stop);
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    EXPECT_EQ(music->PlayerTaskId(), 0u);
    ASSERT_TRUE(WaitForLogLine(QStringLiteral("TERM")));

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (Exists(pid) && std::chrono::steady_clock::now() < deadline) {
        music->MusicControl(MusicController::Poll);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_FALSE(Exists(pid)) << "the player is still there, or left as a zombie";
    music->MusicControl(MusicController::Stop);
    EXPECT_EQ(Log().count(QStringLiteral("TERM")), 1);
}

TEST_F(ExternalPlayerTest, ABareFileNameIsPassedFromTheProgramFolderAndTheShowsEndClosesThePlayer)
{
    std::unique_ptr<MusicController> music = Make(QStringLiteral("bgm.mp3"), player_);
    music->MusicControl(MusicController::Start);
    ASSERT_TRUE(WaitForLogLine(QStringLiteral("ready")));
    EXPECT_EQ(Log().front(), QStringLiteral("arg ") + AppFolder() + QStringLiteral("bgm.mp3"));
    music.reset();
    EXPECT_TRUE(WaitForLogLine(QStringLiteral("TERM")));
}

TEST_F(ExternalPlayerTest, APlayerThatCannotBeStartedIsReportedAndNothingElseHappens)
{
    std::unique_ptr<MusicController> music = Make(QStringLiteral("bgm.mp3"), dir_.path() + QStringLiteral("/gone"));
    testing::internal::CaptureStderr();
    music->MusicControl(MusicController::Start);
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_NE(errors.find("/gone"), std::string::npos) << errors;
    EXPECT_EQ(music->PlayerTaskId(), 0u);
    music->MusicControl(MusicController::Stop);
}

} // namespace
