#include "RegistryStore.h"
#include "WideText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Points HKEY_CURRENT_USER of this process at a fresh key of its own, so the tests
// neither see nor touch the user's settings.
class PrivateUserKey {
public:
    explicit PrivateUserKey(DWORD options = REG_OPTION_NON_VOLATILE)
    {
        name_ = L"Software\\KestrovaSaverTests\\" + std::to_wstring(GetCurrentProcessId());
        RegDeleteTreeW(HKEY_CURRENT_USER, name_.c_str());
        RegCreateKeyExW(HKEY_CURRENT_USER, name_.c_str(), 0, nullptr, options, KEY_ALL_ACCESS, nullptr, &root_,
                        nullptr);
        RegOverridePredefKey(HKEY_CURRENT_USER, root_);
    }
    ~PrivateUserKey()
    {
        RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
        RegCloseKey(root_);
        RegDeleteTreeW(HKEY_CURRENT_USER, name_.c_str());
        // Gone only when no other test program still has its key there.
        RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\KestrovaSaverTests");
    }

private:
    std::wstring name_;
    HKEY root_ = nullptr;
};

HKEY OpenOption()
{
    HKEY key = nullptr;
    RegCreateKeyExW(HKEY_CURRENT_USER, SettingsRegistryPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    return key;
}

void PutValue(HKEY key, const wchar_t* name, DWORD type, const void* data, DWORD size)
{
    ASSERT_EQ(RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
}

void PutText(HKEY key, const wchar_t* name, const std::wstring& text, bool withNul = true)
{
    PutValue(key, name, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + (withNul ? 1 : 0)) * sizeof(wchar_t)));
}

std::wstring StoredText(const wchar_t* name, DWORD* type)
{
    wchar_t buffer[512] = {};
    DWORD size = sizeof(buffer);
    if (RegGetValueW(HKEY_CURRENT_USER, SettingsRegistryPath, name, RRF_RT_ANY | RRF_NOEXPAND, type, buffer, &size) !=
        ERROR_SUCCESS)
        return L"<missing>";
    return buffer;
}

}  // namespace

TEST(RegistryStore, SavedSettingsAreFifteenTextValuesThatLoadBackUnchanged)
{
    PrivateUserKey user;
    SaverSettings empty;
    empty.BlueCount = 99;
    empty.PlayFile = "x";
    LoadSettings(empty);
    EXPECT_EQ(empty, SaverSettings{});

    SaverSettings saved;
    saved.FlightMode = 1;
    saved.BlueCount = -7;
    saved.SmokeLength = -32768;
    saved.ComplementCount = 32767;
    saved.AirplaneKind = 201;
    saved.MusicMode = 2;
    saved.PlayFile = "C:\\Users\\山田 太郎\\ミュージック\\曲 1.mid";
    saved.SoundVolume = 0;
    saved.PlayerApp = "D:\\Program Files (x86)\\player.exe";
    saved.BackgroundMode = 10;
    saved.BackgroundFile = "\\\\server\\共有\\空 =青; #1.jpg";
    std::string reason = "unchanged";
    ASSERT_TRUE(SaveSettings(saved, &reason));
    EXPECT_EQ(reason, "unchanged");

    DWORD type = 0;
    EXPECT_EQ(StoredText(L"number of blue", &type), L"-7");
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(StoredText(L"kind of airplane", &type), L"201");
    EXPECT_EQ(StoredText(L"background file", &type), L"\\\\server\\共有\\空 =青; #1.jpg");
    EXPECT_EQ(StoredText(L"player app", &type), L"D:\\Program Files (x86)\\player.exe");
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));

    SaverSettings loaded;
    LoadSettings(loaded);
    EXPECT_EQ(loaded, saved);
    EXPECT_EQ(ReadSettingInt("background mode", 0), 10);
    EXPECT_EQ(ReadSettingInt("no such key", 5), 5);
}

TEST(RegistryStore, ValuesThatAreNotSixteenBitDecimalTextsReadAsDefaults)
{
    PrivateUserKey user;
    HKEY key = OpenOption();
    PutText(key, L"flight mode", L"1");
    PutText(key, L"number of blue", L"40000");
    PutText(key, L"speed of blue", L" 3");
    PutText(key, L"step of blue", L"12abc");
    // Written without its closing NUL: still the number 0.
    PutText(key, L"smoke mode", L"0", false);
    const DWORD number = 5;
    PutValue(key, L"length of smoke", REG_DWORD, &number, sizeof(number));
    PutText(key, L"number of complement", L"");
    PutValue(key, L"play file", REG_BINARY, "abc", 3);
    PutText(key, L"player app", std::wstring(L"a.exe\0junk", 10));
    PutText(key, L"display mode", L"２");
    RegCloseKey(key);

    SaverSettings s;
    LoadSettings(s);
    EXPECT_EQ(s.FlightMode, 1);
    EXPECT_EQ(s.BlueCount, 30);
    EXPECT_EQ(s.BlueWait, 0);
    EXPECT_EQ(s.BlueStep, 27);
    EXPECT_EQ(s.SmokeMode, 0);
    EXPECT_EQ(s.SmokeLength, 150);
    EXPECT_EQ(s.ComplementCount, 15);
    EXPECT_EQ(s.PlayFile, "");
    EXPECT_EQ(s.PlayerApp, "a.exe");
    EXPECT_EQ(s.DisplayMode, 0);
    EXPECT_EQ(ReadSettingInt("number of blue", 8), 8);
    EXPECT_EQ(ReadSettingInt("length of smoke", 8), 8);
}

TEST(RegistryStore, AFailedSaveIsReportedWithItsReason)
{
    // Under a volatile key the store's lasting key cannot be made.
    PrivateUserKey user(REG_OPTION_VOLATILE);
    std::string reason;
    EXPECT_FALSE(SaveSettings(SaverSettings{}, &reason));
    EXPECT_NE(reason.find("VB and VBA Program Settings\\KestrovaSaver\\Option に書き込めませんでした。"),
              std::string::npos)
        << reason;
    EXPECT_EQ(ReadSettingInt("flight mode", 9), 9);
}
