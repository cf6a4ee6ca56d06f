#pragma once

#include "PlayerProcess.h"

#include <windows.h>

#include <chrono>
#include <vector>

// The external player of the music's second route: started with its window hidden,
// inside a job object that kills whatever is still in it when the job is closed.
// Stop posts WM_CLOSE to every top-level window of the player and of what it started,
// and returns at once; whatever has not closed a second later is ended with the job.
// Should the show die without stopping, Windows closes the job with the show's last
// handle, and the same happens.
class HiddenPlayerProcess : public PlayerProcess {
public:
    HiddenPlayerProcess() = default;
    // Gives players asked to close what is left of their second, then ends them.
    ~HiddenPlayerProcess() override;
    HiddenPlayerProcess(const HiddenPlayerProcess&) = delete;
    HiddenPlayerProcess& operator=(const HiddenPlayerProcess&) = delete;

    bool Start(const std::string& commandLine, std::string* error) override;
    bool Running() override;
    void Stop() override;
    void Reap() override;
    uint32_t TaskId() const override { return taskId_; }

private:
    struct Ending {
        HANDLE Job;
        std::chrono::steady_clock::time_point Deadline;
    };

    HANDLE job_ = nullptr;
    uint32_t taskId_ = 0;
    std::vector<Ending> ending_;
};

// How long a player asked to close may take before it is ended.
constexpr std::chrono::milliseconds PlayerCloseGrace{1000};
