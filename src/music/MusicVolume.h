#pragma once

#include <cstdint>

// The media player's volume for "sound volume" 0..3000: -3000..0 hundredths of a dB.
int32_t MediaPlayerVolume(int16_t soundVolume);

// The amplitude factor 0..1 of a level in hundredths of a dB (-3000 gives 0.0316, that
// is -30 dB). Levels above 0 dB play at full volume.
double AmplitudeOfLevel(int32_t hundredthsOfDecibel);
