#pragma once

#include "Flight.h"
#include "FrameComposer.h"
#include "KindChange.h"
#include "SaverSettings.h"
#include "ShowLoop.h"
#include "ShowSize.h"
#include "ShowSurface.h"

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class MusicController;

// One output's 2D show under Wayland: a flight of its own at its surface's show size,
// run by the same show loop as the X11 show, one pass each time the compositor asks the
// surface for a frame. Several of these share the flags (any input ends them all) and
// the music.
class OutputShow {
public:
    using Clock = std::chrono::steady_clock;

    // surface is configured; background is the show size's. Draws the first frame.
    OutputShow(const SaverSettings& settings, ShowFlags& flags, MusicController& music,
               std::unique_ptr<ShowSurface> surface, const Surface& background, uint64_t seed,
               std::function<std::optional<CursorPoint>()> cursor);

    const ShowSurface& Place() const { return *surface_; }
    // The surface, for a new show on it; this show is done with.
    std::unique_ptr<ShowSurface> ReleasePlace() { return std::move(surface_); }
    ShowSize Size() const { return {flight_.ScreenWidth, flight_.ScreenHeight}; }

    // One pass of the show loop when the surface wants a frame and the pause after the
    // last one ("speed of blue") is over; false when the show must end.
    bool PassIfDue(Clock::time_point now);
    // When this show next has work of its own: its next pass, or the kind-change timer.
    // Nothing while the compositor asks no frame and no timer runs.
    std::optional<Clock::time_point> NextWork() const;

private:
    void StartFlight(std::optional<KindSprites> madeAhead);

    SaverSettings settings_;  // each show's own: a random kind is drawn per flight
    MusicController& music_;
    std::unique_ptr<ShowSurface> surface_;
    Flight flight_;
    FrameComposer composer_;
    std::vector<Rect> changed_;
    KindChangeTimer kindTimer_;
    std::optional<Clock::time_point> nextKindTick_;
    KindChange kindChange_;
    ShowLoop loop_;
    int pauseMs_ = 0;  // what the loop asked to sleep this pass
    Clock::time_point notBefore_;
};
