#pragma once

#include "CommandStringDevice.h"
#include "MixerMusic.h"
#include "MixerOutput.h"

// The command strings over SDL_mixer. Positions follow the command interface the
// strings come from: "stop" keeps the position, "play" goes on from it, so a piece
// that has ended plays again only after "seek bgm to start".
class MixerCommandDevice : public CommandStringDevice {
public:
    int SendString(const std::string& command, std::string* reply) override;
    void Execute(const std::string& command) override;

private:
    int Open(const std::string& path);
    int Play();
    void Close();
    // Whether the mixer still sounds the piece; false when it does not answer.
    static bool Sounding();
    // Whether the piece has played to its own end (MIDI), though the mixer still sounds.
    bool PastItsEnd() const;

    MixerOutput output_;
    MixerMusic music_;
    bool atStart_ = false;
    bool paused_ = false;
    double startedAt_ = 0;  // MixerOutput::SecondsPlayed at the start of the piece
    double pausedAt_ = 0;
    double pausedFor_ = 0;
    std::string lastError_;
};
