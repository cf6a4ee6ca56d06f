// The command strings as the device over SDL_mixer understands them.
#include "AudioFixtures.h"
#include "MixerCommandDevice.h"

#include <gtest/gtest.h>

namespace {

class CommandDeviceTest : public ::testing::Test {
protected:
    std::string Quoted(const char* name) const
    {
        return '"' + QFile::encodeName(dir_.path() + QLatin1Char('/') + QLatin1String(name)).toStdString() + '"';
    }

    std::string Status()
    {
        std::string reply(80, ' ');
        EXPECT_EQ(device_.SendString("status bgm mode", &reply), CommandOk);
        return reply;
    }

    QTemporaryDir dir_;
    MixerCommandDevice device_;
};

TEST_F(CommandDeviceTest, PlaysStopsResumesAndNeedsASeekToPlayAgainAfterTheEnd)
{
    MakeToneWav(dir_.path() + QStringLiteral("/short tone.wav"), 0.3);
    DiskAudio audio(dir_.path() + QStringLiteral("/out.raw"), true);

    ASSERT_EQ(device_.SendString("open " + Quoted("short tone.wav") + " alias bgm", nullptr), CommandOk);
    EXPECT_EQ(Status(), "stopped");
    ASSERT_EQ(device_.SendString("play bgm notify", nullptr), CommandOk);
    EXPECT_EQ(Status(), "playing");
    EXPECT_EQ(device_.SendString("stop bgm", nullptr), CommandOk);
    EXPECT_EQ(Status(), "stopped");
    EXPECT_EQ(device_.SendString("play bgm notify", nullptr), CommandOk);
    EXPECT_EQ(Status(), "playing");

    ASSERT_TRUE(WaitForMusicToEnd());
    EXPECT_EQ(Status(), "stopped");
    EXPECT_EQ(device_.SendString("play bgm notify", nullptr), CommandOk);
    EXPECT_EQ(Status(), "stopped");
    EXPECT_EQ(device_.SendString("seek bgm to start", nullptr), CommandOk);
    EXPECT_EQ(device_.SendString("play bgm notify", nullptr), CommandOk);
    EXPECT_EQ(Status(), "playing");

    EXPECT_EQ(device_.SendString("close bgm", nullptr), CommandOk);
    EXPECT_EQ(device_.SendString("status bgm mode", nullptr), CommandAliasNotOpen);
}

TEST_F(CommandDeviceTest, RefusesWhatItCannotPlayOrDoesNotKnow)
{
    DiskAudio audio(dir_.path() + QStringLiteral("/out.raw"));
    WriteTextFile(dir_.path() + QStringLiteral("/notes.mid"), "not music at all\n");
    MakeToneWav(dir_.path() + QStringLiteral("/tone.wav"), 0.1);

    EXPECT_EQ(device_.SendString("open " + Quoted("notes.mid") + " alias bgm", nullptr), CommandBadFile);
    EXPECT_EQ(device_.SendString("open " + Quoted("missing.wav") + " alias bgm", nullptr), CommandBadFile);
    EXPECT_EQ(device_.SendString("open " + Quoted("") + " alias bgm", nullptr), CommandBadFile);
    EXPECT_EQ(device_.SendString("play bgm notify", nullptr), CommandAliasNotOpen);

    ASSERT_EQ(device_.SendString("open " + Quoted("tone.wav") + " alias bgm", nullptr), CommandOk);
    EXPECT_EQ(device_.SendString("open " + Quoted("tone.wav") + " alias bgm", nullptr), CommandAliasInUse);
    EXPECT_EQ(device_.SendString("play bgm", nullptr), CommandUnknown);
    EXPECT_EQ(device_.SendString("status music mode", nullptr), CommandUnknown);
    EXPECT_EQ(device_.SendString("open  alias bgm", nullptr), CommandUnknown);

    testing::internal::CaptureStderr();
    device_.Execute("close bgm");
    device_.Execute("close bgm");
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_NE(errors.find("\"close bgm\""), std::string::npos) << errors;
    EXPECT_EQ(errors.find('\n'), errors.size() - 1) << "only the second close fails: " << errors;
}

TEST_F(CommandDeviceTest, OpensAnUnquotedPath)
{
    DiskAudio audio(dir_.path() + QStringLiteral("/out.raw"));
    MakeToneWav(dir_.path() + QStringLiteral("/say \"hi\".wav"), 0.1);
    const std::string path = QFile::encodeName(dir_.path() + QStringLiteral("/say \"hi\".wav")).toStdString();
    EXPECT_EQ(device_.SendString("open " + path + " alias bgm", nullptr), CommandOk);
}

} // namespace
