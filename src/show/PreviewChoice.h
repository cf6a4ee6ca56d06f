#pragma once

#include <cstdint>

// Which of the six preview pictures stands for the stored settings: 0/1 plain colour,
// 2/3 desktop, 4/5 picture file, each solo/formation. Like the show, any "flight mode"
// other than 1 is solo flight, so the index always names one of the six.
int PreviewPictureIndex(int16_t flightMode, int16_t backgroundMode);
