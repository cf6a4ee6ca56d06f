#include "MixerMediaPlayer.h"

#include "MixerCalls.h"
#include "MixerLibrary.h"
#include "MixerVolume.h"

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
    CallMixer([volume = mixerVolume_] { Mixer().Mix_VolumeMusic(volume); });
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
    Mix_Music* music = music_.get();
    const std::optional<std::string> failure = AskMixer<std::string>([music, volume = mixerVolume_] {
        const MixerLibrary& mixer = Mixer();
        mixer.Mix_VolumeMusic(volume);
        return mixer.Mix_PlayMusic(music, -1) == 0 ? std::string() : mixer.SDL_GetError();
    });
    if (!failure || !failure->empty())
        std::fprintf(stderr, "kestrova-saver: the media player cannot play %s: %s\n", path.c_str(),
                     failure ? failure->c_str() : "the audio output does not answer");
}

void MixerMediaPlayer::Stop()
{
    if (music_)
        CallMixer([] { Mixer().Mix_HaltMusic(); });
}

bool MediaPlayerCanLoad()
{
    std::string error;
    return MixerMediaPlayer::Load(&error) != nullptr;
}
