#pragma once

#include "FrameClock.h"
#include "WindowClass.h"

#include <windows.h>

#include <functional>

// The window of the three-dimensional show: topmost and borderless at the top-left of
// its monitor at the show size (a smaller show leaves the rest of the desktop visible),
// the cursor hidden. It owns its device context, as
// an OpenGL context on it needs. The display mode is never changed.
class Show3DWindow {
public:
    // origin is the monitor's top-left corner on the desktop.
    Show3DWindow(POINT origin, int showWidth, int showHeight, const wchar_t* title);
    Show3DWindow(const Show3DWindow&) = delete;
    Show3DWindow& operator=(const Show3DWindow&) = delete;
    ~Show3DWindow();

    bool Valid() const { return window_ != nullptr; }
    HWND Handle() const { return window_; }

    // Shows the window on top of everything; takeKeyboard brings it to the foreground
    // with the keyboard's focus.
    void Open(bool takeKeyboard);
    // Starts the music's 2-second timer; it runs until the window closes.
    void StartMusicTimer();
    // Hides the window and gives the cursor back.
    void Close();
    // Waits until the next frame is due: one per display refresh.
    void WaitForRefresh();

    // Called for a key, a click, the window being closed by Windows or the end of the
    // session: the show is asked to end.
    std::function<void()> OnEnd;
    // Called on each tick of the music's timer.
    std::function<void()> OnMusicTick;

private:
    friend LRESULT CALLBACK OwnerProcedure<Show3DWindow>(HWND, UINT, WPARAM, LPARAM);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    POINT origin_;
    int width_;
    int height_;
    bool cursorHidden_ = false;
    FrameClock clock_;
};
