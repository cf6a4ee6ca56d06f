#pragma once

#include <windows.h>

#include <string>

// A modal dialog whose controls are made in code. Positions and sizes are given in
// units of the dialog's Japanese font, a quarter of its average character width across
// and an eighth of its height down (as Windows' dialog units), so the layout grows
// with the font and the screen's DPI.
class DialogWindow {
public:
    DialogWindow(const wchar_t* caption, int width, int height);
    DialogWindow(const DialogWindow&) = delete;
    DialogWindow& operator=(const DialogWindow&) = delete;
    virtual ~DialogWindow();

    // Shows the dialog centred on the screen, owned by `owner`, until End is called;
    // returns End's result. Esc and the close box end it with IDCANCEL.
    INT_PTR Run(HWND owner);

protected:
    virtual void CreateControls() = 0;
    virtual void Command(int id, int code) = 0;
    // Any other message; returns true when handled, with the result in `result`.
    virtual bool Message(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result);

    HWND Add(const wchar_t* windowClass, const std::wstring& text, DWORD style, int id, int x, int y, int width,
             int height, DWORD exStyle = 0);
    HWND Item(int id) const { return GetDlgItem(handle_, id); }
    HWND Handle() const { return handle_; }
    void End(INT_PTR result) { EndDialog(handle_, result); }

private:
    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Initialise(HWND window);

    std::wstring caption_;
    int width_;
    int height_;
    HWND handle_ = nullptr;
    HFONT font_ = nullptr;
    int charWidth_ = 8;    // the font's average character width in pixels
    int charHeight_ = 16;  // and its height
};

// The text of a window or control as UTF-16.
std::wstring WindowText(HWND window);
