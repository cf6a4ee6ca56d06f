#pragma once

#include "ShowLoop.h"

#include <optional>

// What both shows' loops read from Windows between frames.

// Pumps the window events once, as the loop's last step does.
void ProcessEvents();
// Where the mouse is on the screen; nothing when Windows cannot say.
std::optional<CursorPoint> CursorPosition();
// Where the caret is; nothing when Windows cannot say.
std::optional<CursorPoint> CaretPosition();
