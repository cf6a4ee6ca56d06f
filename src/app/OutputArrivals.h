#pragma once

#include <chrono>
#include <optional>
#include <utility>
#include <vector>

class WaylandOutput;

// Outputs plugged in during the show, held back a moment before their picture is taken:
// the compositor and the wallpaper's client draw a new output only after it is
// announced, and a picture taken at once holds the compositor's bare grey.
class OutputArrivals {
public:
    using Clock = std::chrono::steady_clock;

    explicit OutputArrivals(Clock::duration settle) : settle_(settle) {}

    void Arrive(WaylandOutput* output, Clock::time_point now);
    // The outputs whose moment is over, in the order they came.
    std::vector<WaylandOutput*> TakeDue(Clock::time_point now);
    // An output that went before its moment was over.
    void Forget(const WaylandOutput* output);
    std::optional<Clock::time_point> NextDue() const;

private:
    Clock::duration settle_;
    std::vector<std::pair<WaylandOutput*, Clock::time_point>> waiting_;
};
