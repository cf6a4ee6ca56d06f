#include "Show3DWindow.h"

#include <thread>

namespace {

constexpr wchar_t ClassName[] = L"KestrovaSaverShow3D";
constexpr UINT_PTR MusicTimer = 2;

double RefreshRate()
{
    const HDC screen = GetDC(nullptr);
    const int hz = GetDeviceCaps(screen, VREFRESH);
    ReleaseDC(nullptr, screen);
    // 0 and 1 mean the hardware's default rate; the clock then takes 60 Hz.
    return hz;
}

}  // namespace

Show3DWindow::Show3DWindow(int showWidth, int showHeight)
    : width_(showWidth), height_(showHeight), clock_(RefreshRate())
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW windowClass{};
    windowClass.style = CS_OWNDC;
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = ClassName;
    RegisterClassW(&windowClass);
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

LRESULT CALLBACK Show3DWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE)
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    auto* self = reinterpret_cast<Show3DWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return self && self->window_ == window ? self->OnMessage(message, wParam, lParam)
                                           : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT Show3DWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto end = [this] {
        if (OnEnd)
            OnEnd();
    };
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN:
    case WM_CLOSE:
        end();
        return 0;
    case WM_ENDSESSION:
        if (wParam)
            end();
        return 0;
    case WM_TIMER:
        if (wParam == MusicTimer && OnMusicTick)
            OnMusicTick();
        return 0;
    case WM_SETCURSOR:
        SetCursor(nullptr);
        return TRUE;
    case WM_ERASEBKGND:
        // OpenGL draws every pixel of every frame.
        return 1;
    default:
        return DefWindowProcW(window_, message, wParam, lParam);
    }
}
