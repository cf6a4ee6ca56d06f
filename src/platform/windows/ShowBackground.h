#pragma once

#include "StartFailure.h"
#include "Surface.h"

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

// The show-size background for "background mode": 0 a snapshot of the monitor's part of
// the desktop (taken now, so before the show window appears), 1..8 a plain colour, 9 the picture file at its
// own size centred, 10 the picture stretched, anything else black. Nothing, with the
// failure to tell the user and the reason, when the picture cannot be used or memory
// runs out.
std::optional<Surface> BuildBackground(int16_t mode, const std::string& pictureFile, const RECT& monitor, int showWidth, int showHeight,
                                       StartFailure* failure, std::string* error);
