#include "ShowLoop.h"

#include <algorithm>

ShowLoop::ShowLoop(ShowFlags& flags, int16_t& kindChangeRequest, int16_t airplaneKind, int16_t blueWait,
                   ShowLoopPorts ports)
    : flags_(flags),
      kindChangeRequest_(kindChangeRequest),
      airplaneKind_(airplaneKind),
      // The dialog allows 0..50. A hand-edited larger value would leave the show deaf to
      // input for minutes per frame, so it is held to that range here.
      blueWait_(std::clamp<int16_t>(blueWait, 0, 50)),
      ports_(std::move(ports))
{
}

void ShowLoop::RememberPositions()
{
    if (ports_.CursorPosition)
        savedCursor_ = ports_.CursorPosition();
    if (ports_.CaretPosition)
        savedCaret_ = ports_.CaretPosition();
}

bool ShowLoop::Pass()
{
    ports_.FrameWork();

    // The input test comes after the frame, so at least one full frame is done between
    // a movement and the end. The comparison is exact: one pixel ends the show.
    const std::optional<CursorPoint> caret = ports_.CaretPosition ? ports_.CaretPosition() : std::nullopt;
    const std::optional<CursorPoint> cursor = ports_.CursorPosition ? ports_.CursorPosition() : std::nullopt;
    if (caret != savedCaret_ || cursor != savedCursor_ || flags_.ExitRequest == 1)
        return false;

    if (kindChangeRequest_ == 1 && airplaneKind_ != 200) {
        kindChangeRequest_ = 0;
        if (ports_.StartFlight)
            ports_.StartFlight();
    }

    savedCaret_ = caret;
    savedCursor_ = cursor;

    for (int i = 0; i < blueWait_; ++i)
        ports_.Sleep(5);

    ports_.ProcessEvents();
    return true;
}
