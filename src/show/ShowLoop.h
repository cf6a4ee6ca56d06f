#pragma once

#include <cstdint>
#include <functional>
#include <optional>

// Where the mouse cursor is, in screen pixels.
struct CursorPoint {
    int X = 0;
    int Y = 0;
    bool operator==(const CursorPoint&) const = default;
};

// What the show loop needs from the rest of the program, so it runs in a test without
// a screen.
struct ShowLoopPorts {
    std::function<void()> FrameWork;                       // one frame of the 2D or 3D show
    std::function<std::optional<CursorPoint>()> CursorPosition;  // nothing: movement never ends the show
    std::function<void(int milliseconds)> Sleep;
    std::function<void()> ProcessEvents;                   // lets pending window events run once
    std::function<void()> StartFlight;                     // restarts the flight with a new kind
    // Where the caret is, where the platform has one; it ends the show like the cursor.
    std::function<std::optional<CursorPoint>()> CaretPosition = {};
};

// The flags input handlers, timers and signals set; the loop reads them at its next test.
struct ShowFlags {
    int16_t SaverMode = -1;  // -1 while the show runs
    int16_t ExitRequest = 0;
};

// Timer1: every fifth tick of the 60-second timer asks for a new aircraft kind.
class KindChangeTimer {
public:
    void Tick(int16_t& kindChangeRequest)
    {
        if (++tickCount_ >= 5) {
            kindChangeRequest = 1;
            tickCount_ = 0;
        }
    }

private:
    int16_t tickCount_ = 0;
};

class ShowLoop {
public:
    ShowLoop(ShowFlags& flags, int16_t& kindChangeRequest, int16_t airplaneKind, int16_t blueWait,
             ShowLoopPorts ports);

    // Remembers where the cursor and the caret are now, as the start-up does before the first pass.
    void RememberPositions();

    // One pass: frame work, input test, kind change, remember, wait, events.
    // Returns false when the show must end (the frame work of this pass was done).
    bool Pass();

    void Run()
    {
        while (Pass()) {
        }
    }

private:
    ShowFlags& flags_;
    int16_t& kindChangeRequest_;
    int16_t airplaneKind_;
    int16_t blueWait_;
    ShowLoopPorts ports_;
    std::optional<CursorPoint> savedCursor_;
    std::optional<CursorPoint> savedCaret_;
};
