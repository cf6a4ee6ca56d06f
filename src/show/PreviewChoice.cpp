#include "PreviewChoice.h"

int PreviewPictureIndex(int16_t flightMode, int16_t backgroundMode)
{
    int group = 0;
    if (backgroundMode == 0)
        group = 2;
    else if (backgroundMode == 9 || backgroundMode == 10)
        group = 4;
    return group + (flightMode == 1 ? 1 : 0);
}
