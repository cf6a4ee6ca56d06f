#include "MusicVolume.h"

#include <algorithm>
#include <cmath>

int32_t MediaPlayerVolume(int16_t soundVolume)
{
    return -(3000 - int32_t(soundVolume));
}

double AmplitudeOfLevel(int32_t hundredthsOfDecibel)
{
    return std::pow(10.0, std::min(0.0, hundredthsOfDecibel / 2000.0));
}
