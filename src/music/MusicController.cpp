#include "MusicController.h"

#include "MixerCommandDevice.h"
#include "MixerMediaPlayer.h"
#include "MusicVolume.h"

#include <QFile>

#include <cstdio>

MusicDevices MixerMusicDevices()
{
    MusicDevices devices;
    devices.CommandDevice = std::make_unique<MixerCommandDevice>();
    devices.LoadMediaPlayer = []() -> std::unique_ptr<MediaPlayer> {
        std::string error;
        std::unique_ptr<MixerMediaPlayer> player = MixerMediaPlayer::Load(&error);
        if (!player)
            std::fprintf(stderr, "kestrova-saver: the media player cannot be loaded: %s\n", error.c_str());
        return player;
    };
    return devices;
}

MusicController::MusicController(const SaverSettings& settings, const QString& appFolder)
    : MusicController(settings, appFolder, MixerMusicDevices())
{
}

MusicController::MusicController(const SaverSettings& settings, const QString& appFolder, MusicDevices devices)
    : settings_(settings), appFolder_(appFolder), devices_(std::move(devices))
{
}

MusicController::~MusicController()
{
    MusicControl(Stop);
}

bool MusicController::MediaPlayerAvailable()
{
    return MediaPlayerCanLoad();
}

void MusicController::MusicControl(int16_t command)
{
    if (settings_.MusicMode == 0)
        return;

    // A bare file name lives in the program's folder; a path written for either
    // kind of separator is taken as it is.
    const QString playFile = QString::fromStdString(settings_.PlayFile);
    QString path = playFile.contains(QLatin1Char('\\')) || playFile.contains(QLatin1Char('/'))
                       ? playFile
                       : appFolder_ + playFile;
    const bool quoted = settings_.MusicMode != 3 && !path.contains(QLatin1Char('"'));
    if (quoted)
        path = QLatin1Char('"') + path + QLatin1Char('"');

    switch (settings_.MusicMode) {
    case 1:
        // A substring test on purpose: a folder named "x.wav" counts too.
        if (path.toLower().contains(QLatin1String(".mid")) || path.toLower().contains(QLatin1String(".wav")))
            CommandStrings(command, QFile::encodeName(path).toStdString());
        break;
    case 2:
        ExternalPlayerRoute(command, QFile::encodeName(path).toStdString());
        break;
    case 3:
        MediaPlayerRoute(command, QFile::encodeName(path).toStdString());
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
    if (command == Start) {
        if (player_.Running())
            return;
        const std::string commandLine = '"' + settings_.PlayerApp + "\" " + path;
        std::string error;
        if (!player_.Start(commandLine, &error))
            std::fprintf(stderr, "kestrova-saver: the music player cannot be started: %s\n", error.c_str());
    } else if (command == Poll) {
        player_.Reap();
    } else if (command == Stop) {
        player_.Stop();
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
