#pragma once

#include "ShowSize.h"
#include "ShowSurface.h"

#include <chrono>
#include <memory>
#include <optional>

// One output's show under Wayland, 2D or 3D, as the outputs' driver sees it.
class ShowOnOutput {
public:
    using Clock = std::chrono::steady_clock;

    virtual ~ShowOnOutput() = default;

    virtual const ShowSurface& Place() const = 0;
    // The surface, for a new show on it; this show is done with.
    virtual std::unique_ptr<ShowSurface> ReleasePlace() = 0;
    virtual ShowSize Size() const = 0;
    // One pass of the show loop when the surface wants a frame and the pause after the
    // last one ("speed of blue") is over; false when the show must end.
    virtual bool PassIfDue(Clock::time_point now) = 0;
    // When this show next has work of its own. Nothing while the compositor asks no frame
    // and no timer runs.
    virtual std::optional<Clock::time_point> NextWork() const = 0;
};
