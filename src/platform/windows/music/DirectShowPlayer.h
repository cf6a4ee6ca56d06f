#pragma once

#include "MediaPlayer.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <thread>

// The hidden media player over DirectShow, the media playback every Windows carries
// (quartz.dll). Its audio volume is in hundredths of a decibel, -10000..0, as the
// media player's volume is, so levels pass through unchanged. The piece repeats until
// stopped: when the graph reports the end, it is rewound and run again.
//
// The filter graph lives on a thread of its own in the multithreaded COM apartment,
// so the player works whatever the show's thread did with COM; each operation is
// handed to that thread and waited for, at most a few seconds (a stuck decoder must
// not hold the show).
class DirectShowPlayer : public MediaPlayer {
public:
    // Empty, with the reason in error, when no filter graph can be made here.
    static std::unique_ptr<DirectShowPlayer> Load(std::string* error);

    ~DirectShowPlayer() override;
    DirectShowPlayer(const DirectShowPlayer&) = delete;
    DirectShowPlayer& operator=(const DirectShowPlayer&) = delete;

    void SetVolume(int32_t volume) override;
    void SetFileName(const std::string& path) override;
    void Stop() override;

private:
    struct Graph;
    // What the graph's thread shares with the player; the thread holds it too, so a
    // thread left stuck never touches a player that has gone.
    struct Shared;

    DirectShowPlayer();
    // Runs the operation on the graph's thread; false when it did not finish in time.
    bool Call(std::function<void(Graph&)> operation);
    static void Serve(const std::shared_ptr<Shared>& shared);

    std::shared_ptr<Shared> shared_;
    std::thread thread_;
};
