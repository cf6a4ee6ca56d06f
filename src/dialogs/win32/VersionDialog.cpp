#include "VersionDialog.h"

#include "DialogResources.h"
#include "DialogTexts.h"
#include "JapaneseUiFont.h"
#include "WideText.h"

#include <commctrl.h>
#include <shellapi.h>

#include <iterator>

namespace {

enum VersionControl : int { Image1 = 100, Label1, lblCreditA };

struct Credit {
    const wchar_t* line;
    const wchar_t* address;
};

// The libraries and runtimes linked into the Windows program.
constexpr Credit Credits[] = {
    {L"C と C++ のランタイム：MinGW-w64", L"https://www.mingw-w64.org/"},
};

}  // namespace

VersionDialog::VersionDialog() : DialogWindow(L"バージョン情報", 208, 132) {}

VersionDialog::~VersionDialog()
{
    DeleteObject(titleFont_);
    DeleteObject(linkFont_);
    if (icon_)
        DestroyIcon(icon_);
}

void VersionDialog::CreateControls()
{
    titleFont_ = CreateJapaneseUiFont(14, FW_BOLD);
    linkFont_ = CreateJapaneseUiFont(9, FW_NORMAL, true);

    // 64 logical pixels, scaled from the icon's large picture to the screen's DPI.
    HDC screen = GetDC(nullptr);
    const int iconSize = MulDiv(64, GetDeviceCaps(screen, LOGPIXELSY), 96);
    ReleaseDC(nullptr, screen);
    icon_ = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(VersionIconId), IMAGE_ICON,
                                          iconSize, iconSize, LR_DEFAULTCOLOR));
    HWND picture = Add(WC_STATICW, L"", SS_ICON | SS_REALSIZECONTROL, Image1, 12, 10, 32, 32);
    SetWindowPos(picture, nullptr, 0, 0, iconSize, iconSize, SWP_NOMOVE | SWP_NOZORDER);
    SendMessageW(picture, STM_SETICON, reinterpret_cast<WPARAM>(icon_), 0);

    HWND title = Add(WC_STATICW, WideOfUtf8(ProductName), SS_LEFT | SS_NOPREFIX, Label1, 56, 8, 140, 16);
    SendMessageW(title, WM_SETFONT, reinterpret_cast<WPARAM>(titleFont_), FALSE);
    Add(WC_STATICW, WideOfUtf8(ProductKind), SS_LEFT | SS_NOPREFIX, -1, 56, 26, 140, 10);
    Add(WC_STATICW, L"Version " KESTROVA_VERSION, SS_LEFT | SS_NOPREFIX, -1, 56, 37, 140, 10);
    Add(WC_STATICW, WideOfUtf8(RightsNotice), SS_LEFT | SS_NOPREFIX, -1, 12, 56, 180, 10);
    Add(WC_STATICW, L"このプログラムは次のソフトウェアを使っています。", SS_LEFT | SS_NOPREFIX, -1, 12, 72, 180, 10);

    int y = 86;
    int id = lblCreditA;
    for (const Credit& credit : Credits) {
        Add(WC_STATICW, credit.line, SS_LEFT | SS_NOPREFIX, -1, 12, y, 180, 10);
        HWND link = Add(WC_STATICW, credit.address, SS_LEFT | SS_NOPREFIX | SS_NOTIFY, id++, 20, y + 11, 172, 10);
        SendMessageW(link, WM_SETFONT, reinterpret_cast<WPARAM>(linkFont_), FALSE);
        y += 24;
    }
    Add(WC_BUTTONW, L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, IDOK, 78, 114, 52, 13);
}

bool VersionDialog::IsLink(HWND control) const
{
    const int id = GetDlgCtrlID(control);
    return id >= lblCreditA && id < lblCreditA + static_cast<int>(std::size(Credits));
}

void VersionDialog::Command(int id, int code)
{
    if (id == IDOK || id == IDCANCEL) {
        End(id);
        return;
    }
    if (code == STN_CLICKED && IsLink(Item(id)))
        ShellExecuteW(Handle(), L"open", WindowText(Item(id)).c_str(), L"", L"", SW_SHOW);
}

bool VersionDialog::Message(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result)
{
    // The web addresses read as links: blue, underlined, with the hand pointer.
    if (message == WM_CTLCOLORSTATIC && IsLink(reinterpret_cast<HWND>(lParam))) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, RGB(0, 0, 255));
        SetBkMode(dc, TRANSPARENT);
        result = reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
        return true;
    }
    if (message == WM_SETCURSOR && IsLink(reinterpret_cast<HWND>(wParam))) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        result = TRUE;
        return true;
    }
    return false;
}
