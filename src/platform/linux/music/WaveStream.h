#pragma once

#include "WaveFileCheck.h"

#include "MixerLibrary.h"

// A stream for the mixer that reads as the checked WAV file: the program's own header,
// then the samples read from file. It takes the descriptor and closes it with itself.
// Null, with the reason in SDL's error, when it cannot be made.
SDL_RWops* OpenWaveStream(int file, const WaveLayout& layout);
