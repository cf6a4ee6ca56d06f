#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

// An external player program started for the music's second route. It runs on its
// own; at the end it is asked to close with SIGTERM, and nothing waits for it or kills
// it. Should the show die without asking (even by SIGKILL), the kernel asks for it.
// Children that have ended are reaped without blocking whenever the object is used.
class ExternalPlayer {
public:
    ExternalPlayer() = default;
    ~ExternalPlayer();
    ExternalPlayer(const ExternalPlayer&) = delete;
    ExternalPlayer& operator=(const ExternalPlayer&) = delete;

    // Starts the command line (split into words as a shell would, run without a shell).
    // False, with the reason in error, when it could not be started.
    bool Start(const std::string& commandLine, std::string* error);

    // Whether the last player started is still running.
    bool Running();

    // Sends SIGTERM to the running player, if any.
    void Stop();

    // Collects players that have ended, so none is left as a zombie.
    void Reap();

    // Process id of the running player, 0 when none.
    pid_t TaskId() const { return taskId_; }

private:
    pid_t taskId_ = 0;
    std::vector<pid_t> ending_;
};
