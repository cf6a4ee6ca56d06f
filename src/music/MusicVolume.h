#pragma once

#include <cstdint>

// The media player's volume for "sound volume" 0..3000: -3000..0 hundredths of a dB.
int32_t MediaPlayerVolume(int16_t soundVolume);

// SDL_mixer's linear volume 0..128 for a level in hundredths of a dB
// (-3000 gives 4, that is -30.1 dB). Levels above 0 dB play at full volume.
int MixerVolume(int32_t hundredthsOfDecibel);
