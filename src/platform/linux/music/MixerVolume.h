#pragma once

#include <cstdint>

// SDL_mixer's linear volume 0..128 for a level in hundredths of a dB
// (-3000 gives 4, that is -30.1 dB). Levels above 0 dB play at full volume.
int MixerVolume(int32_t hundredthsOfDecibel);
