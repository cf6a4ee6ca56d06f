#include "ShowSize.h"

#include <algorithm>

namespace {

int16_t To16(int v)
{
    return static_cast<int16_t>(std::clamp(v, 0, 32767));
}

}  // namespace

ShowSize ShowSizeFor(int screenWidth, int screenHeight, int16_t displayMode)
{
    ShowSize size{To16(screenWidth), To16(screenHeight)};
    if (displayMode == 1)
        size = {640, 480};
    else if (displayMode == 2)
        size = {320, 240};
    switch (size.Width) {
    case 320: case 640: case 800: case 1024: case 1152: case 1280: case 1600: case 1920:
        return size;
    default:
        return {640, 480};
    }
}

ShowSize OtherMonitorShowSize(int monitorWidth, int monitorHeight, int16_t displayMode)
{
    if (displayMode == 1 || displayMode == 2)
        return ShowSizeFor(monitorWidth, monitorHeight, displayMode);
    // Below this the aircraft pictures alone would fill the show.
    constexpr int Smallest = 16;
    return {To16(std::max(monitorWidth, Smallest)), To16(std::max(monitorHeight, Smallest))};
}
