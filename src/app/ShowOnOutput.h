#pragma once

#include "ShowSize.h"
#include "ShowSurface.h"

#include <chrono>
#include <memory>
#include <optional>

class ShowLoop;

// One output's show under Wayland, 2D or 3D, as the outputs' driver sees it: the surface it
// draws on and its pacing, one pass of its show loop each time the compositor asks the
// surface for a frame and the pause the last pass asked for ("speed of blue") is over.
class ShowOnOutput {
public:
    using Clock = std::chrono::steady_clock;

    virtual ~ShowOnOutput() = default;

    const ShowSurface& Place() const { return *surface_; }
    // The surface, for a new show on it; this show is done with.
    std::unique_ptr<ShowSurface> ReleasePlace() { return std::move(surface_); }
    virtual ShowSize Size() const = 0;
    // False once the surface's pixels changed in a way the show cannot follow: it is
    // started anew, as for a new show size.
    virtual bool SizedForPlace() const { return true; }
    // A pass when one is due; false when the show must end.
    virtual bool PassIfDue(Clock::time_point now) = 0;
    // When this show next has work of its own. Nothing while the compositor asks no frame
    // and no timer runs.
    virtual std::optional<Clock::time_point> NextWork() const { return NextFrame(); }

protected:
    explicit ShowOnOutput(std::unique_ptr<ShowSurface> surface) : surface_(std::move(surface)) {}

    // For the show loop's sleep: the pause is taken between frames, not slept.
    void Pause(int ms) { pauseMs_ += ms; }
    bool PassWhenAsked(Clock::time_point now, ShowLoop& loop);
    std::optional<Clock::time_point> NextFrame() const;

    std::unique_ptr<ShowSurface> surface_;

private:
    int pauseMs_ = 0;  // what the loop asked to sleep this pass
    Clock::time_point notBefore_;
};
