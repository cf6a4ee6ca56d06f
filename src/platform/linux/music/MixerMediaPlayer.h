#pragma once

#include "MediaPlayer.h"
#include "MixerMusic.h"
#include "MixerOutput.h"

#include <memory>

// The media player over SDL_mixer. It repeats the piece until stopped, so the music
// goes on for the whole show as on the other two routes.
class MixerMediaPlayer : public MediaPlayer {
public:
    // Empty, with the reason in error, when no audio output can be opened.
    static std::unique_ptr<MixerMediaPlayer> Load(std::string* error);

    ~MixerMediaPlayer() override;

    void SetVolume(int32_t volume) override;
    void SetFileName(const std::string& path) override;
    void Stop() override;

private:
    MixerMediaPlayer() = default;

    MixerOutput output_;
    MixerMusic music_;
    int mixerVolume_ = MIX_MAX_VOLUME;
};

// Whether the media player can be loaded here: an audio output can be opened.
bool MediaPlayerCanLoad();
