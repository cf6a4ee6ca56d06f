#include "DialogTexts.h"
#include "OptionChoices.h"
#include "Presets.h"

#include <gtest/gtest.h>

#include <set>

namespace {

OptionChoices Opened(const SaverSettings& stored)
{
    OptionChoices choices;
    ShowSettings(stored, choices, true);
    return choices;
}

}  // namespace

TEST(OptionChoices, SettingsTheControlsOfferComeBackUnchangedThroughOk)
{
    SaverSettings s;
    s.FlightMode = 1;
    s.BlueCount = 100;
    s.BlueWait = 50;
    s.BlueStep = 1;
    s.SmokeMode = 0;
    s.SmokeLength = 200;
    s.ComplementCount = 0;
    s.AirplaneKind = 201;
    s.MusicMode = 3;
    s.PlayFile = "曲.mid";
    s.SoundVolume = 0;
    s.PlayerApp = "p.exe";
    s.DisplayMode = 2;
    s.BackgroundFile = "空.jpg";
    for (int16_t background : {0, 1, 8, 9, 10}) {
        s.BackgroundMode = background;
        SaverSettings copied;
        TakeChoices(Opened(s), copied);
        EXPECT_EQ(copied, s) << background;
    }
    s.MusicMode = 0;
    s.FlightMode = 0;
    SaverSettings copied;
    TakeChoices(Opened(s), copied);
    EXPECT_EQ(copied, s);
}

TEST(OptionChoices, StoredValuesTheControlsCannotShowOpenAsTheControlsHaveThem)
{
    SaverSettings s;
    s.BlueCount = 150;
    s.SmokeLength = 20;
    s.SoundVolume = 4000;
    s.FlightMode = 5;
    s.AirplaneKind = 7;
    s.DisplayMode = 3;
    s.BackgroundMode = 11;
    s.MusicMode = 9;
    const OptionChoices c = Opened(s);
    EXPECT_EQ(c.BlueNum.value, 1);
    EXPECT_EQ(c.SmokeOnCount.text, "50");
    EXPECT_EQ(c.Volume.value, 1500);
    EXPECT_EQ(c.Formation, -1);
    EXPECT_EQ(c.Airplane, -1);
    EXPECT_EQ(c.DisplayMode, -1);
    EXPECT_EQ(c.BgMode, -1);
    EXPECT_EQ(c.SoundPlayer, 0);
    // OK then keeps what had no control to show it.
    SaverSettings copied = s;
    TakeChoices(c, copied);
    EXPECT_EQ(copied.AirplaneKind, 7);
    EXPECT_EQ(copied.DisplayMode, 3);
    EXPECT_EQ(copied.BackgroundMode, 11);
    EXPECT_EQ(copied.MusicMode, 1);
    EXPECT_EQ(copied.FlightMode, 1);
    EXPECT_TRUE(ShownSubFrames(c).BlueCount);
    EXPECT_FALSE(ShownSubFrames(c).Picture || ShownSubFrames(c).BgColor);
}

TEST(OptionChoices, APresetComesBackIntoEveryControlButTheAircraft)
{
    SaverSettings s;
    s.AirplaneKind = 3;
    s.DisplayMode = 2;
    OptionChoices c = Opened(s);
    c.Airplane = 0;
    c.Speed = {"40", 40};
    ApplyPreset(3, s);
    ShowSettings(s, c, false);
    EXPECT_EQ(c.Airplane, 0);
    EXPECT_EQ(c.Speed.value, 0);
    EXPECT_EQ(c.Step.value, 29);
    EXPECT_EQ(c.DisplayMode, 2);
    ApplyPreset(2, s);
    ShowSettings(s, c, false);
    EXPECT_EQ(c.Smoke, 0);
    EXPECT_FALSE(ShownSubFrames(c).Complement);
    EXPECT_EQ(c.DisplayMode, 1);
    EXPECT_EQ(c.BlueNum.value, 60);
    EXPECT_STREQ(PresetCaption(2), "ハイスペックマシン設定　スモークなし　フルスクリーンモード");
}

TEST(OptionChoices, OkTestsOnlyTheFilesTheSelectedOptionsUseInOrder)
{
    OptionChoices c;
    c.Sound = 1;
    c.SoundPlayer = 1;
    c.BgMode = 1;
    c.PlayFile = "music";
    c.Player = "player";
    c.BackgroundFile = "picture";
    std::set<std::string> present;
    const auto exists = [&](const std::string& name) { return present.count(name) > 0; };
    EXPECT_STREQ(FirstMissingFile(c, exists)->title, "曲ファイルの指定エラー");
    present.insert("music");
    EXPECT_STREQ(FirstMissingFile(c, exists)->firstLine, "外部プレイヤーが存在しません。");
    present.insert("player");
    EXPECT_EQ(MissingFileText(*FirstMissingFile(c, exists)), "画像ファイルが存在しません。\nファイルを再指定して下さい。");
    c.BgMode = 2;
    c.Sound = 0;
    present.clear();
    EXPECT_FALSE(FirstMissingFile(c, exists));
}
