// The program's messages in the Japanese UI font, whatever the display language.
#include "JapaneseMessageBox.h"
#include "StartFailure.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;

struct Seen {
    bool found = false;
    int missingGlyphs = -1;  // characters drawn as empty squares
    bool fits = false;       // the text control holds the text as its font measures it
    std::wstring caption;
};

// Looks at the box titled `title` (any box for null) once it shows, then presses OK.
Seen LookAtBox(const wchar_t* title)
{
    Seen seen;
    HWND box = nullptr;
    const auto start = std::chrono::steady_clock::now();
    while (!(box && IsWindowVisible(box)) && std::chrono::steady_clock::now() - start < 60s) {
        std::this_thread::sleep_for(20ms);
        box = FindWindowW(L"#32770", title);
    }
    if (!box)
        return seen;
    seen.found = true;
    wchar_t caption[256] = {};
    GetWindowTextW(box, caption, 256);
    seen.caption = caption;
    const HWND text = GetDlgItem(box, 0xFFFF);
    wchar_t content[1024] = {};
    GetWindowTextW(text, content, 1024);
    std::wstring characters = content;
    std::erase_if(characters, [](wchar_t c) { return c == L'\n' || c == L'\r'; });

    const HDC dc = GetDC(text);
    const HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(text, WM_GETFONT, 0, 0)));
    std::vector<WORD> glyphs(characters.size());
    GetGlyphIndicesW(dc, characters.c_str(), int(characters.size()), glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS);
    seen.missingGlyphs = int(std::count(glyphs.begin(), glyphs.end(), WORD(0xFFFF)));
    RECT area;
    GetClientRect(text, &area);
    RECT need = area;
    DrawTextW(dc, content, -1, &need, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
    seen.fits = need.right <= area.right && need.bottom <= area.bottom;
    SelectObject(dc, previous);
    ReleaseDC(text, dc);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    return seen;
}

}  // namespace

TEST(JapaneseMessageBox, EveryShowFailureIsDrawnWithItsGlyphsAndFitsItsBox)
{
    const std::string file = "C:\\Users\\利用者\\Pictures\\背景.jpg";
    for (StartFailure failure : {StartFailure::BackgroundUnreadable, StartFailure::NoMemory,
                                 StartFailure::WindowNotMade, StartFailure::NoOpenGl33, StartFailure::NoWorkFolder,
                                 StartFailure::WorkFileUnwritable, StartFailure::WorkFileUnreadable,
                                 StartFailure::ModelUnreadable, StartFailure::PictureUnreadable}) {
        const std::string text = StartFailureText(failure, file);
        SCOPED_TRACE(text);
        Seen seen;
        std::thread look([&seen] { seen = LookAtBox(L"エラー情報"); });
        EXPECT_EQ(JapaneseMessageBox(nullptr, text, StartFailureTitle, MB_OK | MB_ICONSTOP), IDOK);
        look.join();
        ASSERT_TRUE(seen.found) << "no box titled エラー情報";
        EXPECT_EQ(seen.missingGlyphs, 0) << "characters drawn as empty squares";
        EXPECT_TRUE(seen.fits) << "the text is cut off";
    }
}

TEST(JapaneseMessageBox, AnEmptyTitleGivesTheSystemsCaptionAndTheTextItsGlyphs)
{
    Seen seen;
    std::thread look([&seen] { seen = LookAtBox(nullptr); });
    EXPECT_EQ(JapaneseMessageBox(nullptr, "パスワード機能には対応していません。", "", MB_OK), IDOK);
    look.join();
    ASSERT_TRUE(seen.found) << "no message box";
    EXPECT_FALSE(seen.caption.empty()) << "the box has no caption instead of the system's default";
    EXPECT_EQ(seen.missingGlyphs, 0) << "characters drawn as empty squares";
}
