// The music's devices on Linux: SDL2_mixer for the command strings and the media
// player, a watched child process for the external player.
#include "Platform.h"

#include "ExternalPlayer.h"
#include "MixerCommandDevice.h"
#include "MixerMediaPlayer.h"

#include <cstdio>

MusicDevices MakeMusicDevices()
{
    MusicDevices devices;
    devices.CommandDevice = std::make_unique<MixerCommandDevice>();
    devices.Player = std::make_unique<ExternalPlayer>();
    devices.LoadMediaPlayer = []() -> std::unique_ptr<MediaPlayer> {
        std::string error;
        std::unique_ptr<MixerMediaPlayer> player = MixerMediaPlayer::Load(&error);
        if (!player)
            std::fprintf(stderr, "kestrova-saver: the media player cannot be loaded: %s\n", error.c_str());
        return player;
    };
    return devices;
}

bool MediaPlayerAvailable()
{
    return MediaPlayerCanLoad();
}
