#pragma once

#include <SDL2/SDL_mixer.h>

#include <memory>
#include <string>

struct MixerMusicDeleter {
    void operator()(Mix_Music* music) const { Mix_FreeMusic(music); }
};
using MixerMusic = std::unique_ptr<Mix_Music, MixerMusicDeleter>;

// Loads a piece for the open mixer output. The file's content, not its name, picks
// the decoder, so a file that is not really MIDI, WAV or MP3 is refused here instead
// of "playing" silence. Empty, with the reason in error, on failure.
MixerMusic LoadMixerMusic(const std::string& path, std::string* error);
