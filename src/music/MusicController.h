#pragma once

#include "MusicDevices.h"
#include "SaverSettings.h"

#include <cstdint>
#include <memory>
#include <string>

// The show's one music operation. "music mode" picks the route: 1 command strings
// (".mid" and ".wav" only), 2 an external player, 3 the media player; 0 no music.
// A start while music from an earlier start is still on changes nothing: that music
// goes on and keeps repeating. Stop may be called any number of times.
class MusicController {
public:
    enum Command : int16_t { Start = 0, Stop = 1, Poll = 2 };

    // appFolder is the program's folder, ending with its separator; bare file names live
    // there. Paths are UTF-8 throughout; each platform's devices convert them as its file
    // system needs.
    MusicController(const SaverSettings& settings, std::string appFolder, MusicDevices devices);
    ~MusicController();
    MusicController(const MusicController&) = delete;
    MusicController& operator=(const MusicController&) = delete;

    void MusicControl(int16_t command);

    // Process id of the external player while it runs, 0 otherwise.
    uint32_t PlayerTaskId() const { return devices_.Player->TaskId(); }

private:
    void CommandStrings(int16_t command, const std::string& path);
    void ExternalPlayerRoute(int16_t command, const std::string& path);
    void MediaPlayerRoute(int16_t command, const std::string& path);

    SaverSettings settings_;
    std::string appFolder_;
    MusicDevices devices_;
    bool musicPlaying_ = false;
    std::unique_ptr<MediaPlayer> mediaPlayer_;
};
