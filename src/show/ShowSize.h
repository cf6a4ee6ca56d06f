#pragma once

#include <cstdint>

struct ShowSize {
    int16_t Width = 0;
    int16_t Height = 0;
    bool operator==(const ShowSize&) const = default;
};

// The size of the show in pixels from the primary screen's size and "display mode":
// 1 forces 640 x 480, 2 forces 320 x 240; only the widths the show knows are kept,
// any other gives 640 x 480.
ShowSize ShowSizeFor(int screenWidth, int screenHeight, int16_t displayMode);

// The show size on a monitor other than the primary, which has no size of its own to keep:
// "display mode" 1 and 2 force their sizes as on the primary; otherwise the monitor's
// own size in pixels, whatever its width, as a daemon's window gets.
ShowSize OtherMonitorShowSize(int monitorWidth, int monitorHeight, int16_t displayMode);
