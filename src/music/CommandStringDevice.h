#pragma once

#include <string>

// Results of SendString; 0 is success, as callers of the command strings expect.
enum CommandResult : int {
    CommandOk = 0,
    CommandUnknown = 1,       // not one of the strings the device understands
    CommandAliasInUse = 2,    // "open" while the alias is already open
    CommandAliasNotOpen = 3,  // any other command before a successful "open"
    CommandNoAudio = 4,       // no audio output could be opened
    CommandBadFile = 5,       // the file is missing or not a piece the mixer can play
    CommandPlayFailed = 6,
};

// The multimedia command strings of the music's first route, for the one alias bgm:
// "open <path> alias bgm", "play bgm notify", "status bgm mode", "seek bgm to start",
// "stop bgm" and "close bgm". An interface so tests can record what is sent.
class CommandStringDevice {
public:
    virtual ~CommandStringDevice() = default;

    // Runs one command; "status bgm mode" puts "playing" or "stopped" into reply.
    virtual int SendString(const std::string& command, std::string* reply) = 0;

    // Runs one command whose failure the device reports itself, on standard error.
    virtual void Execute(const std::string& command) = 0;
};
