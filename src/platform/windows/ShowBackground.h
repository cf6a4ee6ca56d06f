#pragma once

#include "Surface.h"

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

// The show-size background for "background mode": 0 a snapshot of the monitor's part of
// the desktop (taken now, so before the show window appears), 1..8 a plain colour, 9 the picture file at its
// own size centred, 10 the picture stretched, anything else black. Nothing, with a
// reason for the user, when the picture cannot be used.
std::optional<Surface> BuildBackground(int16_t mode, const std::string& pictureFile, const RECT& monitor, int showWidth, int showHeight,
                                       std::string* error);
