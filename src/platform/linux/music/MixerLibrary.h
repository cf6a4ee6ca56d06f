#pragma once

#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>

#include <string>

// The program does not link SDL2 and SDL2_mixer: the two, and the forty libraries they
// pull in (synthesizer, decoders, sound servers), are loaded the first time music
// opens, so a show without music never maps them.
inline constexpr const char* SdlLibraryName = "libSDL2-2.0.so.0";
inline constexpr const char* MixerLibraryName = "libSDL2_mixer-2.0.so.0";

// The calls the music makes, named as the libraries name them.
struct MixerLibrary {
    decltype(&::SDL_SetHint) SDL_SetHint;
    decltype(&::SDL_InitSubSystem) SDL_InitSubSystem;
    decltype(&::SDL_QuitSubSystem) SDL_QuitSubSystem;
    decltype(&::SDL_GetError) SDL_GetError;
    decltype(&::SDL_SetError) SDL_SetError;
    decltype(&::SDL_RWFromConstMem) SDL_RWFromConstMem;
    decltype(&::SDL_RWFromFile) SDL_RWFromFile;
    decltype(&::SDL_AllocRW) SDL_AllocRW;
    decltype(&::SDL_FreeRW) SDL_FreeRW;
    decltype(&::Mix_Init) Mix_Init;
    decltype(&::Mix_Quit) Mix_Quit;
    decltype(&::Mix_OpenAudio) Mix_OpenAudio;
    decltype(&::Mix_CloseAudio) Mix_CloseAudio;
    decltype(&::Mix_QuerySpec) Mix_QuerySpec;
    decltype(&::Mix_SetPostMix) Mix_SetPostMix;
    decltype(&::Mix_SetSoundFonts) Mix_SetSoundFonts;
    decltype(&::Mix_LoadMUS_RW) Mix_LoadMUS_RW;
    decltype(&::Mix_FreeMusic) Mix_FreeMusic;
    decltype(&::Mix_PlayMusic) Mix_PlayMusic;
    decltype(&::Mix_HaltMusic) Mix_HaltMusic;
    decltype(&::Mix_PauseMusic) Mix_PauseMusic;
    decltype(&::Mix_ResumeMusic) Mix_ResumeMusic;
    decltype(&::Mix_PlayingMusic) Mix_PlayingMusic;
    decltype(&::Mix_VolumeMusic) Mix_VolumeMusic;
};

// Fills calls from the two libraries named. False, with the reason in error and
// nothing left loaded, when either library or any call is missing.
bool OpenMixerLibrary(const char* sdlName, const char* mixerName, MixerLibrary* calls, std::string* error);

// The system's SDL2 and SDL2_mixer, loaded on the first call and kept for the life of
// the process (the mixer's thread may still be inside them at exit). Null, with the
// reason in error, when they cannot be loaded; every later call answers the same.
const MixerLibrary* LoadMixerLibrary(std::string* error);

// The loaded calls; only once LoadMixerLibrary has succeeded.
const MixerLibrary& Mixer();
