#pragma once

#include "MixerLibrary.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Frees a piece on the mixer's thread (MixerCalls.h); a piece the mixer is stuck in is
// left to the end of the process.
struct MixerMusicDeleter {
    void operator()(Mix_Music* music) const;
};

// A piece loaded for the open mixer output, with what the checks before loading
// learned of it.
class MixerMusic {
public:
    MixerMusic() = default;
    MixerMusic(MixerMusic&&) = default;
    // The old piece is freed before the bytes it was read from.
    MixerMusic& operator=(MixerMusic&& other) noexcept;

    Mix_Music* get() const { return music_.get(); }
    explicit operator bool() const { return music_ != nullptr; }
    void reset();

    // The piece's own length in seconds where the mixer cannot tell when it really
    // ends (MIDI: the synthesizer sounds on for seconds); 0 when the mixer knows.
    double Seconds() const { return seconds_; }

private:
    friend MixerMusic LoadMixerMusic(const std::string& path, std::string* error);

    std::vector<uint8_t> bytes_;  // what the mixer reads a MIDI piece from; outlives it
    std::unique_ptr<Mix_Music, MixerMusicDeleter> music_;
    double seconds_ = 0;
};

// Loads a piece for the open mixer output (so the mixer's libraries are loaded). The file's content, not its name, picks
// the decoder, so a file that is not really MIDI, WAV or MP3 is refused here instead
// of "playing" silence. MIDI and WAV files are checked first (MidiFileCheck.h,
// WaveFileCheck.h): what the decoder cannot survive never reaches it. Empty, with the
// reason in error, on failure.
MixerMusic LoadMixerMusic(const std::string& path, std::string* error);
