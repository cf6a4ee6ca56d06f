#pragma once

#include <windows.h>

#include <functional>
#include <optional>

// What the 2D and the 3D show windows do alike.

// The primary display's refresh rate in Hz; 0 and 1 mean the hardware's default rate
// (the frame clock then takes 60 Hz).
double DisplayRefreshRate();

// A key, a click, Windows closing the window or the session ending calls onEnd: the show
// ends through its ordinary shutdown, so WM_CLOSE does not destroy the window itself. The
// cursor stays hidden and the background is never erased, as each frame covers the
// window. Nothing for the other messages, which the window handles itself.
std::optional<LRESULT> ShowWindowMessage(UINT message, WPARAM wParam, const std::function<void()>& onEnd);
