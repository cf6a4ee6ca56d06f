// Real audio through SDL's disk driver: what each route plays must be heard in the output.
#include "AudioFixtures.h"
#include "MusicController.h"

#include <SDL2/SDL_mixer.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <thread>

namespace {

constexpr double Audible = 100;  // RMS of a block, full scale 32768: about -50 dBFS

class AudioOutputTest : public ::testing::Test {
protected:
    QString AppFolder() const { return dir_.path() + QLatin1Char('/'); }
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
            MusicController music(Settings(3, File("tone.mp3"), soundVolume), AppFolder());
            music.MusicControl(MusicController::Start);
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
            EXPECT_TRUE(Mix_PlayingMusic());
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
        MusicController music(Settings(1, QStringLiteral("tone.wav")), AppFolder());
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
        MusicController music(Settings(1, File("chord.mid")), AppFolder());
        music.MusicControl(MusicController::Start);
        ASSERT_TRUE(WaitForMusicToEnd());
        music.MusicControl(MusicController::Stop);
    }
    EXPECT_GT(LoudestLevel(audio.BlockLevels()), Audible);
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
    EXPECT_TRUE(MusicController::MediaPlayerAvailable());
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    EXPECT_FALSE(MusicController::MediaPlayerAvailable());
}

} // namespace
