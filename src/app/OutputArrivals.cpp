#include "OutputArrivals.h"

#include <algorithm>

void OutputArrivals::Arrive(WaylandOutput* output, Clock::time_point now)
{
    waiting_.emplace_back(output, now + settle_);
}

std::vector<WaylandOutput*> OutputArrivals::TakeDue(Clock::time_point now)
{
    std::vector<WaylandOutput*> due;
    for (const auto& [output, at] : waiting_)
        if (at <= now)
            due.push_back(output);
    std::erase_if(waiting_, [now](const auto& entry) { return entry.second <= now; });
    return due;
}

void OutputArrivals::Forget(const WaylandOutput* output)
{
    std::erase_if(waiting_, [output](const auto& entry) { return entry.first == output; });
}

std::optional<OutputArrivals::Clock::time_point> OutputArrivals::NextDue() const
{
    if (waiting_.empty())
        return std::nullopt;
    return std::min_element(waiting_.begin(), waiting_.end(),
                            [](const auto& a, const auto& b) { return a.second < b.second; })
        ->second;
}
