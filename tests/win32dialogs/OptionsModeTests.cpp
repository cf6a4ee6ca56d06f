// kestrova-saver.scr /c as Windows starts it from the screen saver settings.
#include "ProgramUnderWine.h"
#include "RegistryStore.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

namespace {

using namespace std::chrono_literals;

// Only catches a hang.
constexpr DWORD HangLimitMs = 60000;

// The owner window lives on this thread: it must answer the messages the dialog sends
// it (disabling it while the dialog is open) as a settings page would.
void AnswerMessages()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&message);
}

struct Started {
    PROCESS_INFORMATION process{};
    bool ok = false;
    ~Started()
    {
        if (!ok)
            return;
        if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(process.hProcess, 1);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    DWORD WaitForExit(DWORD limitMs) const
    {
        for (DWORD waited = 0; WaitForSingleObject(process.hProcess, 20) == WAIT_TIMEOUT; waited += 20) {
            if (waited > limitMs)
                return STILL_ACTIVE;
            AnswerMessages();
        }
        DWORD status = 0;
        GetExitCodeProcess(process.hProcess, &status);
        return status;
    }
};

void Start(Started& started, const std::wstring& arguments)
{
    std::wstring line = L"\"" + ProgramPath() + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    started.ok = CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                &started.process);
}

HWND WaitForWindow(const wchar_t* title)
{
    for (DWORD waited = 0; waited < HangLimitMs; waited += 20) {
        if (HWND window = FindWindowW(nullptr, title); window && IsWindowVisible(window))
            return window;
        AnswerMessages();
        std::this_thread::sleep_for(20ms);
    }
    return nullptr;
}

int CountWindows(const wchar_t* title)
{
    int count = 0;
    for (HWND window = FindWindowExW(nullptr, nullptr, nullptr, title); window;
         window = FindWindowExW(nullptr, window, nullptr, title))
        ++count;
    return count;
}

}  // namespace

TEST(OptionsMode, SlashCOpensTheOptionsOwnedByTheGivenWindowAndOkSavesTheSettings)
{
    RegDeleteTreeW(HKEY_CURRENT_USER, SettingsRegistryPath);
    // The window the settings page would hand over.
    HWND settingsPage = CreateWindowExW(0, L"STATIC", L"settings page", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                                        nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(settingsPage);
    Started options;
    Start(options, L"/c:" + std::to_wstring(reinterpret_cast<intptr_t>(settingsPage)));
    ASSERT_TRUE(options.ok);
    HWND dialog = WaitForWindow(L"Kestrova Saver Option");
    ASSERT_TRUE(dialog);
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), settingsPage);

    // A second start while the options are open ends at once and opens nothing.
    Started second;
    Start(second, L"/c");
    EXPECT_EQ(second.WaitForExit(HangLimitMs), 0u);
    EXPECT_EQ(CountWindows(L"Kestrova Saver Option"), 1);

    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(options.WaitForExit(HangLimitMs), 0u);
    DestroyWindow(settingsPage);

    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, SettingsRegistryPath, 0, KEY_QUERY_VALUE, &key), ERROR_SUCCESS);
    DWORD values = 0;
    RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr, nullptr,
                     nullptr);
    RegCloseKey(key);
    EXPECT_EQ(values, 15u);
    wchar_t text[64] = {};
    DWORD size = sizeof(text);
    ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, SettingsRegistryPath, L"length of smoke", RRF_RT_REG_SZ, nullptr, text,
                           &size),
              ERROR_SUCCESS);
    EXPECT_STREQ(text, L"150");
    RegDeleteTreeW(HKEY_CURRENT_USER, SettingsRegistryPath);
}
