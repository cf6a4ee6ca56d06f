#include "MixerVolume.h"

#include "MusicVolume.h"

#include <SDL2/SDL_mixer.h>

#include <cmath>

int MixerVolume(int32_t hundredthsOfDecibel)
{
    return int(std::lround(MIX_MAX_VOLUME * AmplitudeOfLevel(hundredthsOfDecibel)));
}
