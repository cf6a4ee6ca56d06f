#pragma once

#include <string>

// Holds SDL_mixer's audio output open while it lives. The mixer has one output per
// process, so holders share it: the first opens it (loading the mixer's libraries the
// first time, MixerLibrary.h), the last closes it.
class MixerOutput {
public:
    MixerOutput() = default;
    ~MixerOutput();
    MixerOutput(const MixerOutput&) = delete;
    MixerOutput& operator=(const MixerOutput&) = delete;

    // False, with the reason in error, when the mixer's libraries cannot be loaded or no
    // audio output can be opened.
    bool Open(std::string* error);
    void Close();
    bool IsOpen() const { return open_; }

    // Seconds of audio the output has produced since it opened: the clock the music
    // plays by, however late the audio thread runs.
    static double SecondsPlayed();

private:
    bool open_ = false;
};
