#pragma once

#include "DibSection.h"
#include "FrameClock.h"
#include "WindowClass.h"
#include "Surface.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

// The full-screen show on one monitor: a topmost borderless window over the whole
// monitor, the cursor hidden. Frames are copied into a DIB section and drawn
// with GDI, only the changed tiles, at most once per display refresh. A show smaller
// than the monitor is scaled up with its aspect kept, on black; the display mode is
// never changed.
class FullScreenWindow {
public:
    // monitor is the monitor's rectangle on the desktop.
    FullScreenWindow(const RECT& monitor, int showWidth, int showHeight, const wchar_t* title);
    FullScreenWindow(const FullScreenWindow&) = delete;
    FullScreenWindow& operator=(const FullScreenWindow&) = delete;
    ~FullScreenWindow();

    // False when the window or its bitmap could not be made.
    bool Valid() const { return window_ && frame_ && frame_->Valid(); }
    HWND Handle() const { return window_; }

    // Shows the window on top of everything without activating another; takeKeyboard
    // brings it to the foreground with the keyboard's focus.
    void Open(bool takeKeyboard);
    // Starts the music's 2-second timer; it runs until the window closes.
    void StartMusicTimer();
    // Hides the window and gives the cursor back.
    void Close();

    // Copies the changed parts of frame (visit(Rect) for each, or the whole frame) and
    // draws them when the next refresh is due.
    template <typename ForEachChanged>
    void Present(const Surface& frame, ForEachChanged forEachChanged)
    {
        forEachChanged([this, &frame](const Rect& r) { frame_->CopyFrom(frame, r); Note(r); });
        Flush();
    }

    // Called for a key, a click, the window being closed by Windows or the end of the
    // session: the show is asked to end.
    std::function<void()> OnEnd;
    // Called on each tick of the minute timer.
    std::function<void()> OnMinuteTick;
    // Called on each tick of the music's timer.
    std::function<void()> OnMusicTick;

private:
    friend LRESULT CALLBACK OwnerProcedure<FullScreenWindow>(HWND, UINT, WPARAM, LPARAM);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Note(const Rect& r);
    void Flush();
    void PaintAll(HDC dc);

    HWND window_ = nullptr;
    RECT monitor_;
    std::unique_ptr<DibSection> frame_;
    RECT target_{};     // where the frame lands in the window
    bool scaled_ = false;
    std::vector<Rect> changed_;  // the changed parts since the last drawing; room made up front
    bool cursorHidden_ = false;
    FrameClock clock_;
};
