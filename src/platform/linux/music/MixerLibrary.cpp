#include "MixerLibrary.h"

#include <dlfcn.h>

namespace {

template <typename Call>
bool Find(void* library, const char* name, Call* into, std::string* error)
{
    void* symbol = dlsym(library, name);
    if (!symbol) {
        *error = dlerror();
        return false;
    }
    *into = reinterpret_cast<Call>(symbol);
    return true;
}

bool FindAll(void* sdl, void* mixer, MixerLibrary* calls, std::string* error)
{
#define KESTROVA_FIND(library, call) Find(library, #call, &calls->call, error)
    return KESTROVA_FIND(sdl, SDL_SetHint) && KESTROVA_FIND(sdl, SDL_InitSubSystem)
        && KESTROVA_FIND(sdl, SDL_QuitSubSystem) && KESTROVA_FIND(sdl, SDL_GetError)
        && KESTROVA_FIND(sdl, SDL_SetError) && KESTROVA_FIND(sdl, SDL_RWFromConstMem)
        && KESTROVA_FIND(sdl, SDL_RWFromFile) && KESTROVA_FIND(sdl, SDL_AllocRW) && KESTROVA_FIND(sdl, SDL_FreeRW)
        && KESTROVA_FIND(mixer, Mix_Init) && KESTROVA_FIND(mixer, Mix_Quit) && KESTROVA_FIND(mixer, Mix_OpenAudio)
        && KESTROVA_FIND(mixer, Mix_CloseAudio) && KESTROVA_FIND(mixer, Mix_QuerySpec)
        && KESTROVA_FIND(mixer, Mix_SetPostMix) && KESTROVA_FIND(mixer, Mix_SetSoundFonts)
        && KESTROVA_FIND(mixer, Mix_LoadMUS_RW) && KESTROVA_FIND(mixer, Mix_FreeMusic)
        && KESTROVA_FIND(mixer, Mix_PlayMusic) && KESTROVA_FIND(mixer, Mix_HaltMusic)
        && KESTROVA_FIND(mixer, Mix_PauseMusic) && KESTROVA_FIND(mixer, Mix_ResumeMusic)
        && KESTROVA_FIND(mixer, Mix_PlayingMusic) && KESTROVA_FIND(mixer, Mix_VolumeMusic);
#undef KESTROVA_FIND
}

struct LoadedLibrary {
    MixerLibrary Calls{};
    std::string Failure;
};

const LoadedLibrary& TheLibrary()
{
    static const LoadedLibrary library = [] {
        LoadedLibrary loaded;
        OpenMixerLibrary(SdlLibraryName, MixerLibraryName, &loaded.Calls, &loaded.Failure);
        return loaded;
    }();
    return library;
}

} // namespace

bool OpenMixerLibrary(const char* sdlName, const char* mixerName, MixerLibrary* calls, std::string* error)
{
    // Local: their symbols are not offered to the libraries loaded after them.
    void* sdl = dlopen(sdlName, RTLD_NOW | RTLD_LOCAL);
    if (!sdl) {
        *error = dlerror();
        return false;
    }
    void* mixer = dlopen(mixerName, RTLD_NOW | RTLD_LOCAL);
    if (!mixer) {
        *error = dlerror();
        dlclose(sdl);
        return false;
    }
    if (!FindAll(sdl, mixer, calls, error)) {
        *calls = MixerLibrary{};
        dlclose(mixer);
        dlclose(sdl);
        return false;
    }
    return true;
}

const MixerLibrary* LoadMixerLibrary(std::string* error)
{
    const LoadedLibrary& library = TheLibrary();
    if (!library.Failure.empty()) {
        *error = library.Failure;
        return nullptr;
    }
    return &library.Calls;
}

const MixerLibrary& Mixer()
{
    return TheLibrary().Calls;
}
