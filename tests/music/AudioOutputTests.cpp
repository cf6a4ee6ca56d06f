// Real audio through SDL's disk driver: what each route plays must be heard in the output.
#include "AudioFixtures.h"
#include "MixerLibrary.h"
#include "MixerVolume.h"
#include "MusicController.h"
#include "MusicVolume.h"
#include "Platform.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <thread>

namespace {

constexpr double Audible = 100;  // RMS of a block, full scale 32768: about -50 dBFS

class AudioOutputTest : public ::testing::Test {
protected:
    QString AppFolder() const { return dir_.path() + QLatin1Char('/'); }
    std::string AppFolderPath() const { return AppFolder().toStdString(); }
    QString File(const char* name) const { return AppFolder() + QLatin1String(name); }

    SaverSettings Settings(int16_t mode, const QString& playFile, int16_t soundVolume = 3000) const
    {
        SaverSettings settings;
        settings.MusicMode = mode;
        settings.PlayFile = playFile.toStdString();
        settings.SoundVolume = soundVolume;
        return settings;
    }

    // Plays the MP3 through the media player for a few seconds of output.
    double MediaPlayerLevel(int16_t soundVolume, const char* output)
    {
        DiskAudio audio(File(output));
        {
            MusicController music(Settings(3, File("tone.mp3"), soundVolume), AppFolderPath(), MakeMusicDevices());
            music.MusicControl(MusicController::Start);
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
            EXPECT_TRUE(Mixer().Mix_PlayingMusic());
            const qint64 enough = audio.BytesWritten() + 4 * 44100 * 4;
            while (audio.BytesWritten() < enough && std::chrono::steady_clock::now() < deadline)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            music.MusicControl(MusicController::Stop);
        }
        return LoudestLevel(audio.BlockLevels());
    }

    QTemporaryDir dir_;
};

TEST_F(AudioOutputTest, CommandStringsPlayAWavAndThePollRepeatsItAfterItEnded)
{
    MakeToneWav(File("tone.wav"), 0.5);
    DiskAudio audio(File("wav.raw"));
    {
        MusicController music(Settings(1, QStringLiteral("tone.wav")), AppFolderPath(), MakeMusicDevices());
        music.MusicControl(MusicController::Start);
        ASSERT_TRUE(WaitForMusicToEnd());
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        music.MusicControl(MusicController::Poll);
        ASSERT_TRUE(WaitForMusicToEnd());
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        music.MusicControl(MusicController::Stop);
    }
    const std::vector<double> levels = audio.BlockLevels();
    EXPECT_GT(LoudestLevel(levels), 5000);
    EXPECT_EQ(CountBursts(levels, Audible), 2);
}

TEST_F(AudioOutputTest, CommandStringsPlayAMidiFile)
{
    WriteChordMidi(File("chord.mid"));
    DiskAudio audio(File("midi.raw"));
    {
        MusicController music(Settings(1, File("chord.mid")), AppFolderPath(), MakeMusicDevices());
        music.MusicControl(MusicController::Start);
        ASSERT_TRUE(WaitForMusicToEnd());
        music.MusicControl(MusicController::Stop);
    }
    EXPECT_GT(LoudestLevel(audio.BlockLevels()), Audible);
}

// The synthesizer sounds on for seconds after a piece's last note; the piece must still
// repeat within one poll of its end, as the poll timer would send it.
TEST_F(AudioOutputTest, CommandStringsRepeatAMidiPieceWithGapsOfAtMostOnePoll)
{
    WriteChordMidi(File("chord.mid"));
    DiskAudio audio(File("repeats.raw"), true);
    {
        MusicController music(Settings(1, File("chord.mid")), AppFolderPath(), MakeMusicDevices());
        music.MusicControl(MusicController::Start);
        const auto start = std::chrono::steady_clock::now();
        for (int tick = 1; tick <= 5; ++tick) {
            std::this_thread::sleep_until(start + std::chrono::seconds(2 * tick));
            music.MusicControl(MusicController::Poll);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        music.MusicControl(MusicController::Stop);
    }
    constexpr double BlockSeconds = 2048 / 44100.0;  // one block of stereo samples
    const std::vector<double> levels = audio.BlockLevels();
    std::vector<double> gaps;
    int quiet = 0;
    bool heard = false;
    for (double level : levels) {
        if (level > Audible) {
            if (heard && quiet > 0)
                gaps.push_back(quiet * BlockSeconds);
            heard = true;
            quiet = 0;
        } else {
            ++quiet;
        }
    }
    ASSERT_GE(gaps.size(), 2u) << "the piece did not repeat";
    for (double gap : gaps)
        EXPECT_LE(gap, 2.3);
}

std::atomic<bool> audioThreadHeld{false};
std::atomic<bool> audioThreadReleased{false};

bool WaitFor(const std::atomic<bool>& flag)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!flag) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

// A decoder stuck in the audio thread holds the mixer's lock for ever; ending the music,
// and with it the show, must not wait for it.
TEST_F(AudioOutputTest, EndingTheMusicDoesNotWaitForAStuckAudioThread)
{
    WriteChordMidi(File("chord.mid"));
    DiskAudio audio(File("stuck.raw"), true);
    auto music = std::make_unique<MusicController>(Settings(3, File("chord.mid")), AppFolderPath(), MakeMusicDevices());
    music->MusicControl(MusicController::Start);
    // The program has no use for effects: the test takes this one from the loaded mixer itself.
    void* mixer = dlopen(MixerLibraryName, RTLD_NOW | RTLD_NOLOAD);
    ASSERT_NE(mixer, nullptr) << "the music did not load " << MixerLibraryName;
    const auto registerEffect = reinterpret_cast<decltype(&Mix_RegisterEffect)>(dlsym(mixer, "Mix_RegisterEffect"));
    ASSERT_NE(registerEffect, nullptr) << dlerror();
    registerEffect(
        MIX_CHANNEL_POST,
        [](int, void*, int, void*) {
            audioThreadHeld = true;
            while (!audioThreadReleased)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        },
        nullptr, nullptr);
    ASSERT_TRUE(WaitFor(audioThreadHeld));

    std::atomic<bool> ended{false};
    std::thread ending([&] {
        music->MusicControl(MusicController::Stop);
        music.reset();
        ended = true;
    });
    const bool endedWhileStuck = WaitFor(ended);
    audioThreadReleased = true;
    ending.join();
    EXPECT_TRUE(endedWhileStuck) << "ending the music waited for the audio thread";
}

TEST_F(AudioOutputTest, MediaPlayerPlaysAnMp3AboutThirtyDecibelsQuieterAtVolumeZero)
{
    MakeToneMp3(File("tone.mp3"), 1.0);
    const double loud = MediaPlayerLevel(3000, "loud.raw");
    const double quiet = MediaPlayerLevel(0, "quiet.raw");
    EXPECT_GT(loud, 5000);
    ASSERT_GT(quiet, 0);
    EXPECT_NEAR(20 * std::log10(quiet / loud), -30.1, 1.0);
}

TEST_F(AudioOutputTest, MediaPlayerIsAvailableOnlyWhereAnAudioOutputOpens)
{
    DiskAudio audio(File("probe.raw"));
    EXPECT_TRUE(MediaPlayerAvailable());
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    EXPECT_FALSE(MediaPlayerAvailable());
}

TEST(MixerVolume, FollowsTheMediaPlayersLevel)
{
    EXPECT_EQ(MixerVolume(0), 128);
    EXPECT_EQ(MixerVolume(-1500), 23);
    EXPECT_EQ(MixerVolume(-3000), 4);
    EXPECT_EQ(MixerVolume(MediaPlayerVolume(32767)), 128);
    EXPECT_EQ(MixerVolume(MediaPlayerVolume(-32768)), 0);
}

} // namespace
