// kestrova-saver.scr /s with the 3D kinds, under Wine's OpenGL.
#include "BitmapFile.h"
#include "Platform.h"
#include "ProgramUnderWine.h"
#include "RegistryStore.h"
#include "WideText.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

namespace {

using namespace std::chrono_literals;

// Only catches a hang; software OpenGL under Wine on a busy machine is slow to start.
constexpr auto HangLimit = 120s;

std::wstring BesideProgram(const wchar_t* name)
{
    const std::wstring program = ProgramPath();
    return program.substr(0, program.find_last_of(L'\\') + 1) + name;
}

// What the screen shows of the 3D show over the green (0, 128, 0) background.
struct Show3DPixels {
    int background = 0;
    int bluePaint = 0;    // kind 200's textures
    int orangePaint = 0;  // kind 201's textures
};

Show3DPixels Classify(const Surface& shot)
{
    Show3DPixels c;
    for (int y = 0; y < shot.Height(); ++y) {
        for (int x = 0; x < shot.Width(); ++x) {
            const uint32_t p = shot.Pixel(x, y);
            const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
            if (r < 8 && b < 8 && std::abs(g - 128) < 8)
                ++c.background;
            else if (b > 100 && b > r + 60 && b > g + 40)
                ++c.bluePaint;
            else if (r > 120 && r > g + 60 && r > b + 80)
                ++c.orangePaint;
        }
    }
    return c;
}

Surface Screenshot()
{
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    Surface shot(width, height);
    for (int y = 0; y < height; ++y)
        std::memcpy(shot.Row(y), static_cast<const uint32_t*>(bits) + size_t(y) * width, size_t(width) * 4);
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return shot;
}

struct Started {
    PROCESS_INFORMATION process{};
    bool ok = false;
    DWORD error = 0;  // why the start failed
    explicit Started(const std::wstring& arguments)
    {
        std::wstring line = L"\"" + ProgramPath() + L"\" " + arguments;
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        // Now and then Wine fails to start a program before it runs any of it (seen once in a
        // whole run of these tests, 17 ms in): such a start is said and tried once more.
        for (int attempt = 1; attempt <= 2 && !ok; ++attempt) {
            ok = CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process);
            if (!ok) {
                error = GetLastError();
                std::fprintf(stderr, "starting the .scr failed (try %d), error %lu\n", attempt, error);
            }
        }
    }
    ~Started()
    {
        if (!ok)
            return;
        if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(process.hProcess, 1);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    DWORD WaitForExit() const
    {
        if (WaitForSingleObject(process.hProcess, DWORD(std::chrono::milliseconds(HangLimit).count())) != WAIT_OBJECT_0)
            return STILL_ACTIVE;
        DWORD status = 0;
        GetExitCodeProcess(process.hProcess, &status);
        return status;
    }
};

std::string ReadFile(const std::wstring& path)
{
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The program's failure message once it shows (laid out in its font), or null after
// the hang limit.
HWND WaitForMessage()
{
    const auto start = std::chrono::steady_clock::now();
    while (std::chrono::steady_clock::now() - start < HangLimit) {
        const HWND message = FindWindowW(L"#32770", L"エラー情報");
        if (message && IsWindowVisible(message))
            return message;
        std::this_thread::sleep_for(50ms);
    }
    return nullptr;
}

// The text of a message box (its static control's id is 0xFFFF).
std::wstring MessageText(HWND message)
{
    wchar_t text[1024] = {};
    GetDlgItemTextW(message, 0xFFFF, text, 1024);
    return text;
}

// Flies one 3D kind over green until its painted aircraft show, then ends it as a user
// would. The last screenshot is left in the build folder to look at.
void FlyKind(int16_t kind, int Show3DPixels::*paint, int Show3DPixels::*otherPaint)
{
    SaverSettings settings;
    settings.AirplaneKind = kind;
    settings.BackgroundMode = 5;
    settings.MusicMode = 0;
    ASSERT_TRUE(SaveSettings(settings));
    DeleteFileW(BesideProgram(L"bgi_tmp.bmp").c_str());
    DeleteFileW(BesideProgram(L"readme2.txt").c_str());

    Started show(L"/s");
    ASSERT_TRUE(show.ok) << "the .scr did not start, error " << show.error;
    Surface shot;
    Show3DPixels seen;
    const auto start = std::chrono::steady_clock::now();
    // The camera jumps about: wait for a view with the formation in it. Close up, one
    // aircraft's canopy can outweigh its paint, so the view awaited shows mostly paint.
    while (std::chrono::steady_clock::now() - start < HangLimit &&
           WaitForSingleObject(show.process.hProcess, 0) == WAIT_TIMEOUT) {
        shot = Screenshot();
        seen = Classify(shot);
        if (seen.background > shot.Width() * shot.Height() / 4 && seen.*paint > 30 &&
            seen.*paint > 2 * seen.*otherPaint)
            break;
        std::this_thread::sleep_for(200ms);
    }
    const std::vector<unsigned char> picture = EncodeBitmapFile(shot);
    std::ofstream(std::filesystem::path(BesideProgram((L"show3d-" + std::to_wstring(kind) + L".bmp").c_str())),
                  std::ios::binary)
        .write(reinterpret_cast<const char*>(picture.data()), std::streamsize(picture.size()));
    EXPECT_GT(seen.background, shot.Width() * shot.Height() / 4) << "the green background";
    EXPECT_GT(seen.*paint, 30) << "the kind's painted aircraft";
    // Kind 201's white and orange aircraft have blue canopies.
    EXPECT_GT(seen.*paint, 2 * seen.*otherPaint) << "mostly the kind's own paint";

    // A key ends the show.
    const HWND window = FindWindowW(nullptr, L"Kestrova Saver");
    ASSERT_TRUE(window);
    PostMessageW(window, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(show.WaitForExit(), 0u);

    const std::string texture = ReadFile(BesideProgram(L"bgi_tmp.bmp"));
    ASSERT_GE(texture.size(), 54u);
    EXPECT_EQ(texture.substr(0, 2), "BM");
    EXPECT_EQ(*reinterpret_cast<const int32_t*>(texture.data() + 18), 512);
    EXPECT_EQ(*reinterpret_cast<const int32_t*>(texture.data() + 22), 512);
    const DWORD model = GetFileAttributesW(BesideProgram(L"readme2.txt").c_str());
    ASSERT_NE(model, INVALID_FILE_ATTRIBUTES) << "the model file is left";
    EXPECT_EQ(ReadFile(BesideProgram(L"readme2.txt")), "") << "emptied";
}

}  // namespace

TEST(Show3D, BothKindsFlyTheirPaintedFormationOverTheBackgroundAndLeaveTheWorkFiles)
{
    FlyKind(200, &Show3DPixels::bluePaint, &Show3DPixels::orangePaint);
    FlyKind(201, &Show3DPixels::orangePaint, &Show3DPixels::bluePaint);
    RegDeleteTreeW(HKEY_CURRENT_USER, SettingsRegistryPath);
}

TEST(Show3D, WithoutOpenGL33TheShowSaysWhyAndEndsWithoutShowingItsWindow)
{
    SaverSettings settings;
    settings.AirplaneKind = 200;
    settings.MusicMode = 0;
    ASSERT_TRUE(SaveSettings(settings));
    // Run with Mesa held to OpenGL 3.0 (tests/win32show3d/CMakeLists.txt).
    Started show(L"/s");
    ASSERT_TRUE(show.ok) << "the .scr did not start, error " << show.error;

    const HWND message = WaitForMessage();
    ASSERT_TRUE(message) << "no message titled エラー情報";
    EXPECT_EQ(MessageText(message), L"3Dの機種にはOpenGL 3.3が必要ですが、\nこのコンピュータでは使えません。\n"
                                    L"設定の機種を変更してください。");
    const HWND window = FindWindowW(L"KestrovaSaverShow3D", nullptr);
    EXPECT_TRUE(!window || !IsWindowVisible(window)) << "the show window stays hidden";

    PostMessageW(message, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(show.WaitForExit(), 1u);
    RegDeleteTreeW(HKEY_CURRENT_USER, SettingsRegistryPath);
}

TEST(Show3D, OtherFailuresAreToldInJapanese)
{
    struct Case {
        const char* what;
        int16_t kind;
        int16_t backgroundMode;
        std::wstring text;
    };
    const std::wstring picture = BesideProgram(L"not-a-picture.jpg");
    std::ofstream(std::filesystem::path(picture)) << "plain text";
    // A folder where the background's work file goes: it cannot be replaced.
    const std::wstring texture = BesideProgram(L"bgi_tmp.bmp");
    DeleteFileW(texture.c_str());
    ASSERT_TRUE(CreateDirectoryW(texture.c_str(), nullptr));
    // Gone however the test ends: the other 3D tests write the file there.
    struct RemoveFolder {
        const std::wstring& path;
        ~RemoveFolder() { RemoveDirectoryW(path.c_str()); }
    } removeAfter{texture};
    const Case cases[] = {
        {"an unreadable background picture", 0, 9,
         L"背景の画像ファイルを読み込めません。\n" + picture + L"\nファイルを再指定して下さい。"},
        {"a work file that cannot be written", 200, 2,
         L"作業ファイルに書き込めません。\n" + texture + L"\nファイルとフォルダの状態を確認してください。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SaverSettings settings;
        settings.AirplaneKind = c.kind;
        settings.BackgroundMode = c.backgroundMode;
        settings.BackgroundFile = Utf8OfWide(picture);
        settings.MusicMode = 0;
        ASSERT_TRUE(SaveSettings(settings));
        Started show(L"/s");
        ASSERT_TRUE(show.ok);
        const HWND message = WaitForMessage();
        ASSERT_TRUE(message) << "no message titled エラー情報";
        EXPECT_EQ(MessageText(message), c.text);
            PostMessageW(message, WM_COMMAND, IDOK, 0);
        EXPECT_EQ(show.WaitForExit(), 1u);
    }
    DeleteFileW(picture.c_str());
    RegDeleteTreeW(HKEY_CURRENT_USER, SettingsRegistryPath);
}
