#include "MusicVolume.h"

#include <SDL2/SDL_mixer.h>

#include <algorithm>
#include <cmath>

int32_t MediaPlayerVolume(int16_t soundVolume)
{
    return -(3000 - int32_t(soundVolume));
}

int MixerVolume(int32_t hundredthsOfDecibel)
{
    const double level = std::min(0.0, hundredthsOfDecibel / 2000.0);
    return int(std::lround(MIX_MAX_VOLUME * std::pow(10.0, level)));
}
