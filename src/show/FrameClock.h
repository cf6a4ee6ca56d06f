#pragma once

#include <chrono>

// Paces presentation to the display's refresh: a frame is presented at most once per
// refresh interval, whether or not the driver blocks on vertical sync.
class FrameClock {
public:
    using Clock = std::chrono::steady_clock;

    explicit FrameClock(double refreshHz) { SetRate(refreshHz); }

    void SetRate(double refreshHz)
    {
        const double hz = refreshHz >= 20 && refreshHz <= 500 ? refreshHz : 60.0;
        interval_ = std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(1.0 / hz));
    }

    // How long to wait at `now` before the next frame may be shown; advances the clock.
    // A late frame is shown at once and the schedule restarts from it, so a slow frame
    // never causes a burst of fast ones afterwards.
    Clock::duration Reserve(Clock::time_point now)
    {
        if (!started_ || due_ < now) {
            started_ = true;
            due_ = now + interval_;
            return Clock::duration::zero();
        }
        const Clock::duration wait = due_ - now;
        due_ += interval_;
        return wait;
    }

    Clock::duration Interval() const { return interval_; }

private:
    Clock::duration interval_{};
    Clock::time_point due_{};
    bool started_ = false;
};
