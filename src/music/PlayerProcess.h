#pragma once

#include <cstdint>
#include <string>

// The external player program of the music's second route, as a platform starts and
// ends it. Every call returns at once: the show never waits for a player.
class PlayerProcess {
public:
    virtual ~PlayerProcess() = default;

    // Starts the command line: the quoted player program, a blank and the quoted music
    // file, UTF-8. False, with the reason in error, when it could not be started.
    virtual bool Start(const std::string& commandLine, std::string* error) = 0;

    // Whether the last player started, or anything it started, is still running.
    virtual bool Running() = 0;

    // Asks the running player, and all it started, to close.
    virtual void Stop() = 0;

    // Called at every poll: tidies up after players that have ended since.
    virtual void Reap() = 0;

    // Process id of the running player, 0 when none.
    virtual uint32_t TaskId() const = 0;
};
