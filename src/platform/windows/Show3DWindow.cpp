#include "Show3DWindow.h"

#include "ShowWindowParts.h"
#include "WindowClass.h"

#include <thread>

namespace {

constexpr wchar_t ClassName[] = L"KestrovaSaverShow3D";
constexpr UINT_PTR MusicTimer = 2;

}  // namespace

Show3DWindow::Show3DWindow(int showWidth, int showHeight)
    : width_(showWidth), height_(showHeight), clock_(DisplayRefreshRate())
{
    const HINSTANCE instance = RegisterWindowClass(ClassName, OwnerProcedure<Show3DWindow>, CS_OWNDC);
    window_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, ClassName, L"Kestrova Saver",
                              WS_POPUP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, showWidth, showHeight, nullptr,
                              nullptr, instance, this);
}

Show3DWindow::~Show3DWindow()
{
    Close();
    if (window_)
        DestroyWindow(window_);
}

void Show3DWindow::Open()
{
    ::ShowWindow(window_, SW_SHOW);
    SetWindowPos(window_, HWND_TOPMOST, 0, 0, width_, height_, SWP_NOACTIVATE);
    SetForegroundWindow(window_);
    SetFocus(window_);
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
