#pragma once

#include "CommandStringDevice.h"
#include "ExternalPlayer.h"
#include "MediaPlayer.h"
#include "SaverSettings.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

// What the three routes play through; tests put recorders in their place.
struct MusicDevices {
    std::unique_ptr<CommandStringDevice> CommandDevice;
    // Loads the media player; empty (having said why on standard error) when it cannot.
    std::function<std::unique_ptr<MediaPlayer>()> LoadMediaPlayer;
};

// The real devices, over SDL_mixer.
MusicDevices MixerMusicDevices();

// The show's one music operation. "music mode" picks the route: 1 command strings
// (".mid" and ".wav" only), 2 an external player, 3 the media player; 0 no music.
// A start while music from an earlier start is still on changes nothing: that music
// goes on and keeps repeating. Stop may be called any number of times.
class MusicController {
public:
    enum Command : int16_t { Start = 0, Stop = 1, Poll = 2 };

    // appFolder is the program's folder, ending with '/'; bare file names live there.
    MusicController(const SaverSettings& settings, const QString& appFolder);
    MusicController(const SaverSettings& settings, const QString& appFolder, MusicDevices devices);
    ~MusicController();
    MusicController(const MusicController&) = delete;
    MusicController& operator=(const MusicController&) = delete;

    void MusicControl(int16_t command);

    // Process id of the external player while it runs, 0 otherwise.
    pid_t PlayerTaskId() const { return player_.TaskId(); }

    // Whether the media player (music mode 3) can be used on this machine.
    static bool MediaPlayerAvailable();

private:
    void CommandStrings(int16_t command, const std::string& path);
    void ExternalPlayerRoute(int16_t command, const std::string& path);
    void MediaPlayerRoute(int16_t command, const std::string& path);

    SaverSettings settings_;
    QString appFolder_;
    MusicDevices devices_;
    bool musicPlaying_ = false;
    ExternalPlayer player_;
    std::unique_ptr<MediaPlayer> mediaPlayer_;
};
