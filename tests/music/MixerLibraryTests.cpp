// SDL2 and SDL2_mixer are loaded only when music opens: a show without music does not
// carry them and the forty libraries they pull in.
#include "AudioFixtures.h"
#include "MixerLibrary.h"
#include "MusicController.h"
#include "Platform.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

QByteArray MappedFiles()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) ? maps.readAll() : QByteArray();
}

// ctest runs each test in a process of its own, so no earlier test has opened music.
TEST(MixerLibrary, IsMappedOnlyOnceMusicOpensAndThenPlays)
{
    QTemporaryDir dir;
    const QString wav = dir.path() + QStringLiteral("/tone.wav");
    MakeToneWav(wav, 0.5);
    DiskAudio audio(dir.path() + QStringLiteral("/out.raw"));
    SaverSettings settings;
    settings.MusicMode = 1;
    settings.PlayFile = wav.toStdString();
    MusicController music(settings, dir.path().toStdString() + '/', MakeMusicDevices());
    ASSERT_FALSE(MappedFiles().contains("libSDL2")) << "SDL2 is mapped before any music opened";

    music.MusicControl(MusicController::Start);
    const QByteArray mapped = MappedFiles();
    EXPECT_TRUE(mapped.contains(SdlLibraryName)) << "no " << SdlLibraryName << " mapped once music opened";
    EXPECT_TRUE(mapped.contains(MixerLibraryName)) << "no " << MixerLibraryName << " mapped once music opened";
    ASSERT_TRUE(WaitForMusicToEnd());
    music.MusicControl(MusicController::Stop);
    EXPECT_GT(LoudestLevel(audio.BlockLevels()), 5000) << "the WAV was not heard";
}

TEST(MixerLibrary, AMissingLibraryOrCallIsAReasonNotACrash)
{
    MixerLibrary calls{};
    std::string error;
    EXPECT_FALSE(OpenMixerLibrary(SdlLibraryName, "libkestrova-no-such-mixer.so.0", &calls, &error));
    EXPECT_NE(error.find("libkestrova-no-such-mixer.so.0"), std::string::npos) << error;

    // A library that loads but has none of the mixer's calls.
    error.clear();
    EXPECT_FALSE(OpenMixerLibrary(SdlLibraryName, "libm.so.6", &calls, &error));
    EXPECT_NE(error.find("Mix_Init"), std::string::npos) << error;
    EXPECT_EQ(calls.SDL_SetHint, nullptr) << "calls left filled after a failed load";
}

} // namespace
