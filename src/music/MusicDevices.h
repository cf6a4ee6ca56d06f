#pragma once

#include "CommandStringDevice.h"
#include "MediaPlayer.h"
#include "PlayerProcess.h"

#include <functional>
#include <memory>

// What the three routes of the music play through. Each platform makes its own
// (MakeMusicDevices in Platform.h); tests put recorders in their place.
struct MusicDevices {
    std::unique_ptr<CommandStringDevice> CommandDevice;
    std::unique_ptr<PlayerProcess> Player;
    // Loads the media player; empty (having said why on standard error) when it cannot.
    std::function<std::unique_ptr<MediaPlayer>()> LoadMediaPlayer;
};
