#include "DialogWindow.h"

#include "JapaneseUiFont.h"
#include "VisualStyles.h"

#include <vector>

namespace {

// A dialog template holding only the window: style, caption, no controls. The words
// follow one another as the template format lays them out.
std::vector<WORD> EmptyTemplate(const std::wstring& caption)
{
    std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
    auto* header = reinterpret_cast<DLGTEMPLATE*>(words.data());
    header->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    header->cdit = 0;
    header->cx = 100;
    header->cy = 100;
    words.push_back(0);  // no menu
    words.push_back(0);  // the standard dialog class
    words.insert(words.end(), caption.begin(), caption.end());
    words.push_back(0);
    return words;
}

}  // namespace

DialogWindow::DialogWindow(const wchar_t* caption, int width, int height)
    : caption_(caption), width_(width), height_(height)
{
}

DialogWindow::~DialogWindow()
{
    if (font_)
        DeleteObject(font_);
}

INT_PTR DialogWindow::Run(HWND owner)
{
    const VisualStyles styles;
    const std::vector<WORD> dialogTemplate = EmptyTemplate(caption_);
    return DialogBoxIndirectParamW(GetModuleHandleW(nullptr),
                                   reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.data()), owner, Procedure,
                                   reinterpret_cast<LPARAM>(this));
}

bool DialogWindow::Message(UINT, WPARAM, LPARAM, INT_PTR&)
{
    return false;
}

HWND DialogWindow::Add(const wchar_t* windowClass, const std::wstring& text, DWORD style, int id, int x, int y,
                       int width, int height, DWORD exStyle)
{
    HWND control = CreateWindowExW(exStyle, windowClass, text.c_str(), WS_CHILD | WS_VISIBLE | style,
                                   MulDiv(x, charWidth_, 4), MulDiv(y, charHeight_, 8), MulDiv(width, charWidth_, 4),
                                   MulDiv(height, charHeight_, 8), handle_,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                                   nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    return control;
}

void DialogWindow::Initialise(HWND window)
{
    handle_ = window;
    // 9 points, the size of Windows' own dialog text.
    font_ = CreateJapaneseUiFont();
    HDC dc = GetDC(window);
    HGDIOBJ old = SelectObject(dc, font_);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    // The average width Windows itself uses for dialog units: that of the 52 letters.
    const wchar_t* letters = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    SIZE extent{};
    GetTextExtentPoint32W(dc, letters, 52, &extent);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    charWidth_ = (extent.cx / 26 + 1) / 2;
    charHeight_ = metrics.tmHeight;

    RECT frame{0, 0, MulDiv(width_, charWidth_, 4), MulDiv(height_, charHeight_, 8)};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)));
    const int frameWidth = frame.right - frame.left;
    const int frameHeight = frame.bottom - frame.top;
    SetWindowPos(window, nullptr, (GetSystemMetrics(SM_CXSCREEN) - frameWidth) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - frameHeight) / 2, frameWidth, frameHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    CreateControls();
}

INT_PTR CALLBACK DialogWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        reinterpret_cast<DialogWindow*>(lParam)->Initialise(window);
        return TRUE;
    }
    auto* dialog = reinterpret_cast<DialogWindow*>(GetWindowLongPtrW(window, DWLP_USER));
    if (!dialog)
        return FALSE;
    if (message == WM_COMMAND) {
        dialog->Command(LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    }
    INT_PTR result = 0;
    if (dialog->Message(message, wParam, lParam, result)) {
        SetWindowLongPtrW(window, DWLP_MSGRESULT, result);
        return result ? result : TRUE;
    }
    return FALSE;
}

std::wstring WindowText(HWND window)
{
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}
