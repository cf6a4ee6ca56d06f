#include "JapaneseMessageBox.h"

#include "JapaneseUiFont.h"
#include "WideText.h"

#include <algorithm>
#include <climits>
#include <string_view>

namespace {

constexpr int TextId = 0xFFFF;  // the message box's text control

// The box being opened on this thread: its font and the hook that finds it.
thread_local HFONT boxFont = nullptr;
thread_local HHOOK boxHook = nullptr;

RECT ClientRectOf(HWND box, HWND control)
{
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// A button the box shows (Wine's box holds every kind of button and hides those not asked for).
bool IsShownButton(HWND control)
{
    wchar_t windowClass[16] = {};
    return (GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE) && GetClassNameW(control, windowClass, 16) &&
           std::wstring_view(windowClass) == L"Button";
}

// Gives the text and the buttons the font, makes room for the text as it measures in it
// and puts the row of buttons, centred, below it.
void Refont(HWND box)
{
    const HWND text = GetDlgItem(box, TextId);
    if (!text)
        return;
    wchar_t content[4096] = {};
    GetWindowTextW(text, content, 4096);
    const RECT old = ClientRectOf(box, text);
    RECT need{0, 0, GetSystemMetrics(SM_CXSCREEN) * 3 / 4, 0};
    const HDC dc = GetDC(text);
    const HGDIOBJ previous = SelectObject(dc, boxFont);
    DrawTextW(dc, content, -1, &need, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
    SelectObject(dc, previous);
    ReleaseDC(text, dc);
    const int textWidth = std::max(int(need.right), int(old.right - old.left));
    const int textHeight = int(need.bottom);

    RECT row{LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN};
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(boxFont), FALSE);
        if (!IsShownButton(child))
            continue;
        const RECT r = ClientRectOf(box, child);
        row = {std::min(row.left, r.left), std::min(row.top, r.top), std::max(row.right, r.right),
               std::max(row.bottom, r.bottom)};
    }
    if (row.left > row.right)
        return;
    RECT client, frame;
    GetClientRect(box, &client);
    GetWindowRect(box, &frame);
    const int gap = std::max(int(row.top - old.bottom), 7);
    const int width = int(client.right) + std::max(0, textWidth - int(old.right - old.left));
    const int rowTop = int(old.top) + textHeight + gap;
    const int height = rowTop + int(row.bottom - row.top) + std::max(int(client.bottom - row.bottom), 7);
    const int shift = (width - int(row.right - row.left)) / 2 - int(row.left);
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsShownButton(child))
            continue;
        const RECT r = ClientRectOf(box, child);
        SetWindowPos(child, nullptr, r.left + shift, rowTop + (r.top - row.top), 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
    SetWindowPos(text, nullptr, 0, 0, textWidth, textHeight, SWP_NOMOVE | SWP_NOZORDER);
    const int outerWidth = width + int(frame.right - frame.left - client.right);
    const int outerHeight = height + int(frame.bottom - frame.top - client.bottom);
    SetWindowPos(box, nullptr, (GetSystemMetrics(SM_CXSCREEN) - outerWidth) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - outerHeight) / 2, outerWidth, outerHeight, SWP_NOZORDER);
    InvalidateRect(box, nullptr, TRUE);
}

// Acts once the box has laid itself out (its WM_INITDIALOG has returned).
LRESULT CALLBACK WatchForBox(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* sent = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    wchar_t windowClass[16] = {};
    if (code == HC_ACTION && boxHook && sent->message == WM_INITDIALOG &&
        GetClassNameW(sent->hwnd, windowClass, 16) && std::wstring_view(windowClass) == L"#32770") {
        UnhookWindowsHookEx(boxHook);
        boxHook = nullptr;
        Refont(sent->hwnd);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

int JapaneseMessageBox(HWND owner, const std::string& text, const std::string& title, UINT flags)
{
    boxFont = CreateJapaneseUiFont();
    boxHook = SetWindowsHookExW(WH_CALLWNDPROCRET, WatchForBox, nullptr, GetCurrentThreadId());
    const std::wstring caption = WideOfUtf8(title);
    const int answer =
        MessageBoxW(owner, WideOfUtf8(text).c_str(), caption.empty() ? nullptr : caption.c_str(), flags);
    if (boxHook)
        UnhookWindowsHookEx(boxHook);
    boxHook = nullptr;
    DeleteObject(boxFont);
    boxFont = nullptr;
    return answer;
}
