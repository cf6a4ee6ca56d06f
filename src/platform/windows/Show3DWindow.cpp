#include "Show3DWindow.h"

#include "ShowWindowParts.h"
#include "WindowClass.h"

#include <thread>

namespace {

constexpr wchar_t ClassName[] = L"KestrovaSaverShow3D";
constexpr UINT_PTR MusicTimer = 2;

}  // namespace

Show3DWindow::Show3DWindow(POINT origin, int showWidth, int showHeight, const wchar_t* title)
    : origin_(origin), width_(showWidth), height_(showHeight), clock_(DisplayRefreshRate())
{
    const HINSTANCE instance = RegisterWindowClass(ClassName, OwnerProcedure<Show3DWindow>, CS_OWNDC);
    window_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, ClassName, title,
                              WS_POPUP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, origin.x, origin.y, showWidth, showHeight,
                              nullptr, nullptr, instance, this);
}

Show3DWindow::~Show3DWindow()
{
    Close();
    if (window_)
        DestroyWindow(window_);
}

void Show3DWindow::Open(bool takeKeyboard)
{
    ::ShowWindow(window_, takeKeyboard ? SW_SHOW : SW_SHOWNOACTIVATE);
    SetWindowPos(window_, HWND_TOPMOST, origin_.x, origin_.y, width_, height_, SWP_NOACTIVATE);
    if (takeKeyboard) {
        SetForegroundWindow(window_);
        SetFocus(window_);
    }
    if (!cursorHidden_) {
        ShowCursor(FALSE);
        cursorHidden_ = true;
    }
}

void Show3DWindow::StartMusicTimer()
{
    SetTimer(window_, MusicTimer, 2000, nullptr);
}

void Show3DWindow::Close()
{
    if (cursorHidden_) {
        ShowCursor(TRUE);
        cursorHidden_ = false;
    }
    if (window_) {
        KillTimer(window_, MusicTimer);
        ::ShowWindow(window_, SW_HIDE);
    }
}

void Show3DWindow::WaitForRefresh()
{
    // The show's speed is counted in frames, so frames never come faster than the display's.
    std::this_thread::sleep_for(clock_.Reserve(FrameClock::Clock::now()));
}

LRESULT Show3DWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (const auto handled = ShowWindowMessage(message, wParam, OnEnd))
        return *handled;
    if (message == WM_TIMER) {
        if (wParam == MusicTimer && OnMusicTick)
            OnMusicTick();
        return 0;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}
