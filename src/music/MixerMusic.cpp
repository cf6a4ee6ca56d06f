#include "MixerMusic.h"

#include <sys/stat.h>

MixerMusic LoadMixerMusic(const std::string& path, std::string* error)
{
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        *error = "no such file: " + path;
        return nullptr;
    }
    SDL_RWops* stream = SDL_RWFromFile(path.c_str(), "rb");
    if (!stream) {
        *error = path + ": " + SDL_GetError();
        return nullptr;
    }
    MixerMusic music(Mix_LoadMUS_RW(stream, 1));
    if (!music)
        *error = path + ": " + Mix_GetError();
    return music;
}
