#include "MixerOutput.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>

#include <sys/stat.h>

namespace {

int holders = 0;

// Debian's SDL_mixer plays MIDI through FluidSynth only, which needs a General MIDI
// soundfont; the project's set-up installs this one.
constexpr const char* SoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";
constexpr const char* FallbackSoundFont = "/usr/share/sounds/sf2/default-GM.sf2";

bool FileExists(const char* path)
{
    struct stat info {};
    return stat(path, &info) == 0 && S_ISREG(info.st_mode);
}

bool OpenMixer(std::string* error)
{
    // SDL would otherwise catch SIGINT and SIGTERM itself; the show turns them into
    // its own shutdown.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        *error = SDL_GetError();
        return false;
    }
    Mix_Init(MIX_INIT_MID | MIX_INIT_MP3);
    if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 2048) != 0) {
        *error = Mix_GetError();
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    if (FileExists(SoundFont))
        Mix_SetSoundFonts(SoundFont);
    else if (FileExists(FallbackSoundFont))
        Mix_SetSoundFonts(FallbackSoundFont);
    return true;
}

} // namespace

MixerOutput::~MixerOutput()
{
    Close();
}

bool MixerOutput::Open(std::string* error)
{
    if (open_)
        return true;
    if (holders == 0 && !OpenMixer(error))
        return false;
    ++holders;
    open_ = true;
    return true;
}

void MixerOutput::Close()
{
    if (!open_)
        return;
    open_ = false;
    if (--holders > 0)
        return;
    Mix_HaltMusic();
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}
