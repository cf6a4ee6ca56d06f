#include "FullScreenWindow.h"

#include "ShowWindowParts.h"
#include "TileMask.h"
#include "WindowClass.h"

#include <thread>

namespace {

constexpr wchar_t ClassName[] = L"KestrovaSaverShow";
constexpr UINT_PTR MinuteTimer = 1;
constexpr UINT_PTR MusicTimer = 2;

}  // namespace

FullScreenWindow::FullScreenWindow(const RECT& monitor, int showWidth, int showHeight, const wchar_t* title)
    : monitor_(monitor), clock_(DisplayRefreshRate())
{
    const HINSTANCE instance = RegisterWindowClass(ClassName, OwnerProcedure<FullScreenWindow>);

    const int monitorWidth = monitor.right - monitor.left;
    const int monitorHeight = monitor.bottom - monitor.top;
    // The largest size of the show's shape that fits the monitor, centred.
    int width = monitorWidth;
    int height = static_cast<int>(static_cast<int64_t>(monitorWidth) * showHeight / showWidth);
    if (height > monitorHeight) {
        height = monitorHeight;
        width = static_cast<int>(static_cast<int64_t>(monitorHeight) * showWidth / showHeight);
    }
    target_ = {(monitorWidth - width) / 2, (monitorHeight - height) / 2, (monitorWidth - width) / 2 + width,
               (monitorHeight - height) / 2 + height};
    scaled_ = width != showWidth || height != showHeight;

    frame_ = std::make_unique<DibSection>(showWidth, showHeight);
    // At most one changed run per tile, so presenting never allocates.
    changed_.reserve(static_cast<size_t>(showWidth / TileMask::TileSize + 2) * (showHeight / TileMask::TileSize + 2));
    window_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, ClassName, title, WS_POPUP, monitor.left, monitor.top,
                              monitorWidth, monitorHeight, nullptr, nullptr, instance, this);
}

FullScreenWindow::~FullScreenWindow()
{
    Close();
    if (window_)
        DestroyWindow(window_);
}

void FullScreenWindow::Open(bool takeKeyboard)
{
    ::ShowWindow(window_, takeKeyboard ? SW_SHOW : SW_SHOWNOACTIVATE);
    SetWindowPos(window_, HWND_TOPMOST, monitor_.left, monitor_.top, monitor_.right - monitor_.left,
                 monitor_.bottom - monitor_.top, SWP_NOACTIVATE);
    if (takeKeyboard) {
        SetForegroundWindow(window_);
        SetFocus(window_);
    }
    if (!cursorHidden_) {
        ShowCursor(FALSE);
        cursorHidden_ = true;
    }
    SetTimer(window_, MinuteTimer, 60000, nullptr);
}

void FullScreenWindow::StartMusicTimer()
{
    SetTimer(window_, MusicTimer, 2000, nullptr);
}

void FullScreenWindow::Close()
{
    if (cursorHidden_) {
        ShowCursor(TRUE);
        cursorHidden_ = false;
    }
    if (window_) {
        KillTimer(window_, MinuteTimer);
        KillTimer(window_, MusicTimer);
        ::ShowWindow(window_, SW_HIDE);
    }
}

void FullScreenWindow::Note(const Rect& r)
{
    changed_.push_back(r);
}

void FullScreenWindow::Flush()
{
    // Presented at most once per refresh: the show's speed is counted in frames.
    std::this_thread::sleep_for(clock_.Reserve(FrameClock::Clock::now()));
    const HDC dc = GetDC(window_);
    if (scaled_) {
        PaintAll(dc);
    } else {
        for (const Rect& r : changed_)
            BitBlt(dc, target_.left + r.Left, target_.top + r.Top, r.Width(), r.Height(), frame_->Dc(), r.Left, r.Top,
                   SRCCOPY);
    }
    ReleaseDC(window_, dc);
    changed_.clear();
}

void FullScreenWindow::PaintAll(HDC dc)
{
    if (scaled_) {
        SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, target_.left, target_.top, target_.right - target_.left, target_.bottom - target_.top,
                   frame_->Dc(), 0, 0, frame_->Width(), frame_->Height(), SRCCOPY);
    } else {
        BitBlt(dc, target_.left, target_.top, frame_->Width(), frame_->Height(), frame_->Dc(), 0, 0, SRCCOPY);
    }
    // Black around a show of another shape than the monitor.
    ExcludeClipRect(dc, target_.left, target_.top, target_.right, target_.bottom);
    PatBlt(dc, 0, 0, monitor_.right - monitor_.left, monitor_.bottom - monitor_.top, BLACKNESS);
    SelectClipRgn(dc, nullptr);
}

LRESULT FullScreenWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (const auto handled = ShowWindowMessage(message, wParam, OnEnd))
        return *handled;
    switch (message) {
    case WM_TIMER:
        if (wParam == MinuteTimer && OnMinuteTick)
            OnMinuteTick();
        if (wParam == MusicTimer && OnMusicTick)
            OnMusicTick();
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        const HDC dc = BeginPaint(window_, &paint);
        PaintAll(dc);
        EndPaint(window_, &paint);
        return 0;
    }
    default:
        return DefWindowProcW(window_, message, wParam, lParam);
    }
}
