#include "OptionsDialog.h"
#include "RegistryStore.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <future>
#include <string>
#include <thread>

namespace {

using namespace std::chrono_literals;

// Only catches a hang; the dialogs appear within a second.
constexpr auto HangLimit = 60s;

// Points HKEY_CURRENT_USER of this process at a fresh key of its own.
class PrivateUserKey {
public:
    PrivateUserKey()
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, Name);
        RegCreateKeyExW(HKEY_CURRENT_USER, Name, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &root_, nullptr);
        RegOverridePredefKey(HKEY_CURRENT_USER, root_);
    }
    ~PrivateUserKey()
    {
        RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
        RegCloseKey(root_);
        RegDeleteTreeW(HKEY_CURRENT_USER, Name);
    }

private:
    static constexpr const wchar_t* Name = L"Software\\KestrovaSaverDialogTests";
    HKEY root_ = nullptr;
};

bool WaitUntil(const std::function<bool()>& condition)
{
    const auto end = std::chrono::steady_clock::now() + HangLimit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(20ms);
    }
    return true;
}

HWND WaitForWindow(const wchar_t* title)
{
    HWND window = nullptr;
    WaitUntil([&] {
        window = FindWindowW(nullptr, title);
        return window && IsWindowVisible(window);
    });
    return window;
}

// The options dialog on a thread of its own, as the program shows it for /c.
class OpenOptions {
public:
    OpenOptions() : done_(std::async(std::launch::async, [] { ShowOptionsDialog(nullptr); }))
    {
        window = WaitForWindow(L"Kestrova Saver Option");
    }
    ~OpenOptions()
    {
        if (window && IsWindow(window))
            PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
        done_.wait_for(HangLimit);
    }
    bool Closed() { return done_.wait_for(HangLimit) == std::future_status::ready; }

    HWND Control(int id) const { return GetDlgItem(window, id); }
    std::wstring Text(int id) const
    {
        wchar_t text[512] = {};
        GetWindowTextW(Control(id), text, 512);
        return text;
    }
    void Type(int id, const wchar_t* text) const { SendMessageW(Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)); }
    void Click(int id) const { SendMessageW(Control(id), BM_CLICK, 0, 0); }
    // A button whose handler may open a window of its own is pressed without waiting.
    void Press(int id) const { PostMessageW(window, WM_COMMAND, id, 0); }
    int BarValue(int id) const { return GetScrollPos(Control(id), SB_CTL); }

    HWND window = nullptr;

private:
    std::future<void> done_;
};

std::wstring StoredValue(const wchar_t* name, DWORD* type = nullptr)
{
    wchar_t value[512] = {};
    DWORD size = sizeof(value);
    if (RegGetValueW(HKEY_CURRENT_USER, SettingsRegistryPath, name, RRF_RT_ANY | RRF_NOEXPAND, type, value, &size) !=
        ERROR_SUCCESS)
        return L"<missing>";
    return value;
}

std::wstring MessageText(HWND box)
{
    wchar_t text[512] = {};
    GetWindowTextW(GetDlgItem(box, 0xFFFF), text, 512);
    return text;
}

}  // namespace

// Control ids as the dialog numbers them (OptionsDialogControls.h).
#include "OptionsDialogControls.h"

TEST(OptionsDialog, OkWritesTheFifteenValuesAsTheControlsShowThem)
{
    PrivateUserKey user;
    OpenOptions dialog;
    ASSERT_TRUE(dialog.window);
    EXPECT_EQ(dialog.Text(txtBlueNum), L"30");

    dialog.Type(txtBlueNum, L"250");
    EXPECT_EQ(dialog.Text(txtBlueNum), L"1");
    EXPECT_EQ(dialog.BarValue(hsbBlueNum), 1);
    dialog.Type(txtSpeed, L"12.5x");
    dialog.Type(txtVolume, L"5000");
    EXPECT_EQ(dialog.Text(txtVolume), L"1500");

    dialog.Click(OptFormation0);
    EXPECT_FALSE(IsWindowVisible(dialog.Control(txtBlueNum)));
    dialog.Click(optBgMode2);
    EXPECT_TRUE(IsWindowVisible(dialog.Control(cmbBackGroundMode)));
    EXPECT_FALSE(IsWindowVisible(dialog.Control(txtBackGroundFile)));
    SendMessageW(dialog.Control(cmbBackGroundMode), CB_SETCURSEL, 5, 0);
    SendMessageW(dialog.Control(cmbAirPlane), CB_SETCURSEL, 8, 0);
    dialog.Type(txtBackGroundFile, L"C:\\写真\\空.jpg");
    dialog.Press(cmdOK);
    ASSERT_TRUE(dialog.Closed());

    const std::pair<const wchar_t*, const wchar_t*> expected[] = {
        {L"flight mode", L"1"},       {L"number of blue", L"1"},    {L"speed of blue", L"12"},
        {L"step of blue", L"27"},     {L"smoke mode", L"1"},        {L"length of smoke", L"150"},
        {L"number of complement", L"15"}, {L"kind of airplane", L"201"}, {L"music mode", L"0"},
        {L"play file", L""},          {L"sound volume", L"1500"},   {L"player app", L""},
        {L"display mode", L"0"},      {L"background mode", L"6"},   {L"background file", L"C:\\写真\\空.jpg"},
    };
    for (const auto& [name, value] : expected) {
        DWORD type = 0;
        EXPECT_EQ(StoredValue(name, &type), value) << name;
        EXPECT_EQ(type, static_cast<DWORD>(REG_SZ)) << name;
    }
}

TEST(OptionsDialog, AMissingPictureIsReportedAndNothingIsSaved)
{
    PrivateUserKey user;
    OpenOptions dialog;
    ASSERT_TRUE(dialog.window);
    dialog.Click(optBgMode1);
    dialog.Type(txtBackGroundFile, L"C:\\no such folder\\空.jpg");
    dialog.Press(cmdOK);
    HWND message = WaitForWindow(L"画像ファイルの指定エラー");
    ASSERT_TRUE(message);
    EXPECT_EQ(MessageText(message), L"画像ファイルが存在しません。\nファイルを再指定して下さい。");
    PostMessageW(message, WM_COMMAND, IDOK, 0);
    // The dialog stays open; Cancel then closes it without saving.
    EXPECT_TRUE(IsWindow(dialog.window));
    dialog.Press(cmdCancel);
    ASSERT_TRUE(dialog.Closed());
    EXPECT_EQ(StoredValue(L"flight mode"), L"<missing>");
}

TEST(OptionsDialog, APresetComesBackIntoTheControls)
{
    PrivateUserKey user;
    OpenOptions dialog;
    ASSERT_TRUE(dialog.window);
    dialog.Press(cmdDefaultSelect);
    HWND presets = WaitForWindow(L"デフォルト値選択");
    ASSERT_TRUE(presets);
    SendMessageW(GetDlgItem(presets, 102), BM_CLICK, 0, 0);
    PostMessageW(presets, WM_COMMAND, IDOK, 0);
    // "Without smoke" turns smoke off and hides its rows.
    ASSERT_TRUE(WaitUntil([&] { return dialog.Text(txtBlueNum) == L"60"; }));
    EXPECT_EQ(IsDlgButtonChecked(dialog.window, optSmoke0), static_cast<UINT>(BST_CHECKED));
    EXPECT_FALSE(IsWindowVisible(dialog.Control(txtSmokeOnCount)));
    EXPECT_EQ(SendMessageW(dialog.Control(cmbDisplayMode), CB_GETCURSEL, 0, 0), 1);
}
