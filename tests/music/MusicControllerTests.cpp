// What MusicControl asks of the command strings, the player process and the media player on each route.
#include "MusicController.h"
#include "MusicVolume.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

struct Recording {
    Lines lines;
    int openResult = 0;
    int playResult = 0;
    std::string status = "playing";
    int mediaPlayersLoaded = 0;
};

class RecordingDevice : public CommandStringDevice {
public:
    explicit RecordingDevice(Recording& recording) : recording_(recording) {}

    int SendString(const std::string& command, std::string* reply) override
    {
        recording_.lines.push_back("send " + command);
        if (command.starts_with("open "))
            return recording_.openResult;
        if (command == "play bgm notify")
            return recording_.playResult;
        if (command == "status bgm mode" && reply)
            reply->replace(0, recording_.status.size(), recording_.status);
        return 0;
    }

    void Execute(const std::string& command) override { recording_.lines.push_back("execute " + command); }

private:
    Recording& recording_;
};

class RecordingMediaPlayer : public MediaPlayer {
public:
    explicit RecordingMediaPlayer(Recording& recording) : recording_(recording) {}
    ~RecordingMediaPlayer() override { recording_.lines.push_back("unload"); }

    void SetVolume(int32_t volume) override { recording_.lines.push_back("volume " + std::to_string(volume)); }
    void SetFileName(const std::string& path) override { recording_.lines.push_back("file " + path); }
    void Stop() override { recording_.lines.push_back("stop"); }

private:
    Recording& recording_;
};

class RecordingPlayer : public PlayerProcess {
public:
    explicit RecordingPlayer(Recording& recording) : recording_(recording) {}

    bool Start(const std::string& commandLine, std::string*) override
    {
        recording_.lines.push_back("start " + commandLine);
        running_ = true;
        return true;
    }
    bool Running() override { return running_; }
    void Stop() override
    {
        recording_.lines.push_back("stop player");
        running_ = false;
    }
    void Reap() override { recording_.lines.push_back("reap"); }
    uint32_t TaskId() const override { return running_ ? 4242 : 0; }

private:
    Recording& recording_;
    bool running_ = false;
};

class MusicControllerTest : public ::testing::Test {
protected:
    MusicController& Make(int16_t mode, const char* playFile, int16_t soundVolume = 3000,
                          const char* appFolder = "/opt/kestrova/")
    {
        music_.reset();
        recording_.lines.clear();
        SaverSettings settings;
        settings.MusicMode = mode;
        settings.PlayFile = playFile;
        settings.SoundVolume = soundVolume;
        settings.PlayerApp = "C:\\Program Files\\Player\\play.exe";
        MusicDevices devices;
        devices.CommandDevice = std::make_unique<RecordingDevice>(recording_);
        devices.Player = std::make_unique<RecordingPlayer>(recording_);
        devices.LoadMediaPlayer = [this] {
            ++recording_.mediaPlayersLoaded;
            return std::make_unique<RecordingMediaPlayer>(recording_);
        };
        music_ = std::make_unique<MusicController>(settings, appFolder, std::move(devices));
        return *music_;
    }

    Lines Take() { return std::exchange(recording_.lines, {}); }

    Recording recording_;
    std::unique_ptr<MusicController> music_;
};

TEST_F(MusicControllerTest, CommandStringsStartPollAndStopAnUpperCaseMidiFile)
{
    MusicController& music = Make(1, "/home/user/Music/SONG.MID");
    music.MusicControl(MusicController::Start);
    EXPECT_EQ(Take(), (Lines{"send open \"/home/user/Music/SONG.MID\" alias bgm", "send play bgm notify"}));

    music.MusicControl(MusicController::Poll);
    EXPECT_EQ(Take(), (Lines{"send status bgm mode"}));

    recording_.status = "stopped";
    music.MusicControl(MusicController::Poll);
    EXPECT_EQ(Take(), (Lines{"send status bgm mode", "execute seek bgm to start", "execute play bgm notify"}));

    music.MusicControl(MusicController::Stop);
    EXPECT_EQ(Take(), (Lines{"execute stop bgm", "execute close bgm"}));
    music.MusicControl(MusicController::Stop);
    music.MusicControl(MusicController::Poll);
    EXPECT_EQ(Take(), Lines{});
}

TEST_F(MusicControllerTest, AStartWhileMusicPlaysLetsItGoOnRepeating)
{
    MusicController& music = Make(1, "/m/bgm.wav");
    music.MusicControl(MusicController::Start);
    Take();
    music.MusicControl(MusicController::Start);
    EXPECT_EQ(Take(), Lines{});
    recording_.status = "stopped";
    music.MusicControl(MusicController::Poll);
    EXPECT_EQ(Take(), (Lines{"send status bgm mode", "execute seek bgm to start", "execute play bgm notify"}));
}

TEST_F(MusicControllerTest, ARefusedOpenOrPlayLeavesTheShowSilent)
{
    recording_.openResult = 5;
    MusicController& music = Make(1, "/home/user/x.wav/song.mp3");
    music.MusicControl(MusicController::Start);
    EXPECT_EQ(Take(), (Lines{"send open \"/home/user/x.wav/song.mp3\" alias bgm"}));
    music.MusicControl(MusicController::Poll);
    music.MusicControl(MusicController::Stop);
    EXPECT_EQ(Take(), Lines{});

    recording_.openResult = 0;
    recording_.playResult = 6;
    MusicController& second = Make(1, "/m/a.mid");
    second.MusicControl(MusicController::Start);
    EXPECT_EQ(Take(), (Lines{"send open \"/m/a.mid\" alias bgm", "send play bgm notify", "execute close bgm"}));
    second.MusicControl(MusicController::Poll);
    second.MusicControl(MusicController::Stop);
    EXPECT_EQ(Take(), Lines{});
}

TEST_F(MusicControllerTest, NothingIsSentForAnMp3OnTheCommandStringsOrInMusicModeZero)
{
    for (auto [mode, file] : {std::pair<int16_t, const char*>{1, "/m/song.mp3"}, {0, "/m/song.mid"}, {0, "/m/song.mp3"}}) {
        MusicController& music = Make(mode, file);
        for (int16_t command : {0, 2, 1, 0})
            music.MusicControl(command);
        music_.reset();
        EXPECT_EQ(Take(), Lines{}) << mode << " " << file;
    }
    EXPECT_EQ(recording_.mediaPlayersLoaded, 0);
}

TEST_F(MusicControllerTest, ABareFileNameLivesInTheProgramFolder)
{
    Make(1, "bgm.mid").MusicControl(MusicController::Start);
    EXPECT_EQ(Take().front(), "send open \"/opt/kestrova/bgm.mid\" alias bgm");

    Make(3, "bgm.mid").MusicControl(MusicController::Start);
    EXPECT_EQ(Take(), (Lines{"volume 0", "file /opt/kestrova/bgm.mid"}));

    Make(1, "C:\\Music\\bgm.mid").MusicControl(MusicController::Start);
    EXPECT_EQ(Take().front(), "send open \"C:\\Music\\bgm.mid\" alias bgm");
}

TEST_F(MusicControllerTest, APathWithADoubleQuoteIsSentAsItIs)
{
    Make(1, "/m/say \"hi\".wav").MusicControl(MusicController::Start);
    EXPECT_EQ(Take().front(), "send open /m/say \"hi\".wav alias bgm");
}

TEST_F(MusicControllerTest, MediaPlayerIsLoadedOnceSetUpInOrderAndUnloadedAtStop)
{
    MusicController& music = Make(3, "/m/Song One.mp3", 1500);
    music.MusicControl(MusicController::Start);
    music.MusicControl(MusicController::Start);
    music.MusicControl(MusicController::Poll);
    EXPECT_EQ(Take(), (Lines{"volume -1500", "file /m/Song One.mp3"}));
    EXPECT_EQ(recording_.mediaPlayersLoaded, 1);
    music.MusicControl(MusicController::Stop);
    music.MusicControl(MusicController::Stop);
    EXPECT_EQ(Take(), (Lines{"stop", "unload"}));
}

TEST_F(MusicControllerTest, ThePlayerGetsTheQuotedProgramAndFileAndOnlyOneRunsAtATime)
{
    // A Windows folder with Japanese in it: the UTF-8 bytes pass through untouched.
    MusicController& music = Make(2, "\xE6\x9B\xB2.MP3", 3000, "C:\\\xE9\x9F\xB3\xE6\xA5\xBD\\");
    music.MusicControl(MusicController::Start);
    EXPECT_EQ(music.PlayerTaskId(), 4242u);
    music.MusicControl(MusicController::Start);
    music.MusicControl(MusicController::Poll);
    music.MusicControl(MusicController::Stop);
    EXPECT_EQ(Take(), (Lines{"start \"C:\\Program Files\\Player\\play.exe\" \"C:\\\xE9\x9F\xB3\xE6\xA5\xBD\\\xE6\x9B\xB2.MP3\"",
                             "reap", "stop player"}));
    EXPECT_EQ(music.PlayerTaskId(), 0u);
}

TEST(MusicVolume, FollowsSoundVolumeInHundredthsOfADecibel)
{
    EXPECT_EQ(MediaPlayerVolume(3000), 0);
    EXPECT_EQ(MediaPlayerVolume(1500), -1500);
    EXPECT_EQ(MediaPlayerVolume(0), -3000);
    EXPECT_DOUBLE_EQ(AmplitudeOfLevel(0), 1.0);
    EXPECT_NEAR(20 * std::log10(AmplitudeOfLevel(-3000)), -30.0, 1e-9);
    EXPECT_DOUBLE_EQ(AmplitudeOfLevel(MediaPlayerVolume(32767)), 1.0);
}

} // namespace
