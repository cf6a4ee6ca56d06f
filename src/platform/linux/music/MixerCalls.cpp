#include "MixerCalls.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace {

struct Finished {
    std::mutex Lock;
    std::condition_variable Changed;
    bool Done = false;
};

// Lives as long as the process: its thread may be stuck in the mixer at exit.
struct MixerThread {
    std::mutex Lock;
    std::condition_variable Queued;
    std::deque<std::function<void()>> Calls;
    bool Late = false;

    void Run()
    {
        for (;;) {
            std::function<void()> call;
            {
                std::unique_lock<std::mutex> hold(Lock);
                Queued.wait(hold, [this] { return !Calls.empty(); });
                call = std::move(Calls.front());
                Calls.pop_front();
            }
            call();
            std::lock_guard<std::mutex> hold(Lock);
            Late = false;
        }
    }
};

MixerThread& TheMixerThread()
{
    static MixerThread* const thread = [] {
        auto* made = new MixerThread;
        std::thread([made] { made->Run(); }).detach();
        return made;
    }();
    return *thread;
}

} // namespace

bool CallMixer(std::function<void()> call)
{
    MixerThread& mixer = TheMixerThread();
    auto finished = std::make_shared<Finished>();
    {
        std::lock_guard<std::mutex> hold(mixer.Lock);
        if (mixer.Late)
            return false;
        mixer.Calls.push_back([call = std::move(call), finished] {
            call();
            std::lock_guard<std::mutex> done(finished->Lock);
            finished->Done = true;
            finished->Changed.notify_all();
        });
        mixer.Queued.notify_one();
    }
    std::unique_lock<std::mutex> wait(finished->Lock);
    if (finished->Changed.wait_for(wait, MixerCallBound, [&] { return finished->Done; }))
        return true;
    std::lock_guard<std::mutex> hold(mixer.Lock);
    // It may have finished between the two locks.
    if (!finished->Done)
        mixer.Late = true;
    return finished->Done;
}
