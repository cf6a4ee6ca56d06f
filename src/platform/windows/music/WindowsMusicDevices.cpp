// The music's devices on Windows: the real multimedia command interface, a hidden
// player process in a job object, and DirectShow as the media player.
#include "Platform.h"

#include "DirectShowPlayer.h"
#include "HiddenPlayerProcess.h"
#include "MciCommandDevice.h"

#include <cstdio>

MusicDevices MakeMusicDevices()
{
    MusicDevices devices;
    devices.CommandDevice = std::make_unique<MciCommandDevice>();
    devices.Player = std::make_unique<HiddenPlayerProcess>();
    devices.LoadMediaPlayer = []() -> std::unique_ptr<MediaPlayer> {
        std::string error;
        std::unique_ptr<DirectShowPlayer> player = DirectShowPlayer::Load(&error);
        if (!player)
            std::fprintf(stderr, "kestrova-saver: the media player cannot be loaded: %s\n", error.c_str());
        return player;
    };
    return devices;
}

bool MediaPlayerAvailable()
{
    std::string error;
    return DirectShowPlayer::Load(&error) != nullptr;
}
