#include "MixerMediaPlayer.h"

#include "MusicVolume.h"

#include <cstdio>

std::unique_ptr<MixerMediaPlayer> MixerMediaPlayer::Load(std::string* error)
{
    std::unique_ptr<MixerMediaPlayer> player(new MixerMediaPlayer);
    if (!player->output_.Open(error))
        return nullptr;
    return player;
}

MixerMediaPlayer::~MixerMediaPlayer()
{
    Stop();
}

void MixerMediaPlayer::SetVolume(int32_t volume)
{
    mixerVolume_ = MixerVolume(volume);
    Mix_VolumeMusic(mixerVolume_);
}

void MixerMediaPlayer::SetFileName(const std::string& path)
{
    Stop();
    std::string error;
    music_ = LoadMixerMusic(path, &error);
    if (!music_) {
        std::fprintf(stderr, "kestrova-saver: the media player cannot play %s\n", error.c_str());
        return;
    }
    Mix_VolumeMusic(mixerVolume_);
    if (Mix_PlayMusic(music_.get(), -1) != 0)
        std::fprintf(stderr, "kestrova-saver: the media player cannot play %s: %s\n", path.c_str(), Mix_GetError());
}

void MixerMediaPlayer::Stop()
{
    if (music_)
        Mix_HaltMusic();
}

bool MediaPlayerCanLoad()
{
    std::string error;
    return MixerMediaPlayer::Load(&error) != nullptr;
}
