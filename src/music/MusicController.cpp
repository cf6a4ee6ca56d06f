#include "MusicController.h"

#include "MusicVolume.h"

#include <algorithm>
#include <cstdio>

namespace {

// Only ASCII letters change: the names looked for are ASCII, and the bytes of a
// UTF-8 sequence are never ASCII.
std::string AsciiLower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); });
    return text;
}

} // namespace

MusicController::MusicController(const SaverSettings& settings, std::string appFolder, MusicDevices devices)
    : settings_(settings), appFolder_(std::move(appFolder)), devices_(std::move(devices))
{
}

MusicController::~MusicController()
{
    MusicControl(Stop);
}

void MusicController::MusicControl(int16_t command)
{
    if (settings_.MusicMode == 0)
        return;

    // A bare file name lives in the program's folder; a path written for either
    // kind of separator is taken as it is.
    const std::string& playFile = settings_.PlayFile;
    std::string path = playFile.find_first_of("\\/") != std::string::npos ? playFile : appFolder_ + playFile;
    if (settings_.MusicMode != 3 && path.find('"') == std::string::npos)
        path = '"' + path + '"';

    switch (settings_.MusicMode) {
    case 1:
        // A substring test on purpose: a folder named "x.wav" counts too.
        if (const std::string lower = AsciiLower(path);
            lower.find(".mid") != std::string::npos || lower.find(".wav") != std::string::npos)
            CommandStrings(command, path);
        break;
    case 2:
        ExternalPlayerRoute(command, path);
        break;
    case 3:
        MediaPlayerRoute(command, path);
        break;
    default:
        break;
    }
}

void MusicController::CommandStrings(int16_t command, const std::string& path)
{
    CommandStringDevice& device = *devices_.CommandDevice;
    if (command == Start) {
        if (musicPlaying_)
            return;
        if (device.SendString("open " + path + " alias bgm", nullptr) != 0)
            return;
        if (device.SendString("play bgm notify", nullptr) == 0)
            musicPlaying_ = true;
        else
            device.Execute("close bgm");
    } else if (command == Poll) {
        if (!musicPlaying_)
            return;
        std::string reply(80, ' ');
        if (device.SendString("status bgm mode", &reply) == 0 && reply.compare(0, 7, "playing") != 0) {
            device.Execute("seek bgm to start");
            device.Execute("play bgm notify");
        }
    } else if (command == Stop) {
        if (!musicPlaying_)
            return;
        device.Execute("stop bgm");
        device.Execute("close bgm");
        musicPlaying_ = false;
    }
}

void MusicController::ExternalPlayerRoute(int16_t command, const std::string& path)
{
    PlayerProcess& player = *devices_.Player;
    if (command == Start) {
        if (player.Running())
            return;
        const std::string commandLine = '"' + settings_.PlayerApp + "\" " + path;
        std::string error;
        if (!player.Start(commandLine, &error))
            std::fprintf(stderr, "kestrova-saver: the music player cannot be started: %s\n", error.c_str());
    } else if (command == Poll) {
        player.Reap();
    } else if (command == Stop) {
        player.Stop();
    }
}

void MusicController::MediaPlayerRoute(int16_t command, const std::string& path)
{
    if (command == Start) {
        if (mediaPlayer_)
            return;
        mediaPlayer_ = devices_.LoadMediaPlayer();
        if (!mediaPlayer_)
            return;
        mediaPlayer_->SetVolume(MediaPlayerVolume(settings_.SoundVolume));
        mediaPlayer_->SetFileName(path);
    } else if (command == Stop) {
        if (!mediaPlayer_)
            return;
        mediaPlayer_->Stop();
        mediaPlayer_.reset();
    }
}
