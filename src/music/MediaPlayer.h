#pragma once

#include <cstdint>
#include <string>

// The hidden media player of the music's third route, with the three operations the
// show uses. Loading it is making one; unloading it is destroying it.
class MediaPlayer {
public:
    virtual ~MediaPlayer() = default;

    // Volume in hundredths of a decibel, 0 = full volume, negative = quieter.
    virtual void SetVolume(int32_t volume) = 0;

    // Setting the file name starts playing that file.
    virtual void SetFileName(const std::string& path) = 0;

    virtual void Stop() = 0;
};
