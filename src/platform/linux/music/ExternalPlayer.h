#pragma once

#include "PlayerProcess.h"

#include <sys/types.h>

#include <string>
#include <vector>

// An external player program started for the music's second route, under a watch
// process (PlayerWatch.h). At the end the player and everything it started are asked
// to close with SIGTERM and, after a moment, killed; the watch does this, so the show
// never waits. Should the show die without asking (even by SIGKILL), the kernel closes
// the watch's pipe and the same happens. Watches that have ended are reaped without
// blocking whenever the object is used.
class ExternalPlayer : public PlayerProcess {
public:
    ExternalPlayer() = default;
    ~ExternalPlayer() override;
    ExternalPlayer(const ExternalPlayer&) = delete;
    ExternalPlayer& operator=(const ExternalPlayer&) = delete;

    // Starts the command line (split into words as a shell would, run without a shell).
    // False, with the reason in error, when it could not be started.
    bool Start(const std::string& commandLine, std::string* error) override;

    // Whether the last player started, or anything it started, is still running.
    bool Running() override;

    // Has the running player, and all it started, closed.
    void Stop() override;

    // Collects watches that have ended, so none is left as a zombie.
    void Reap() override;

    // Process id of the running player, 0 when none.
    uint32_t TaskId() const override { return uint32_t(taskId_); }

private:
    pid_t taskId_ = 0;
    pid_t watch_ = 0;
    int control_ = -1;
    std::vector<pid_t> ending_;
};
