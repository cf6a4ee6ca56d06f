#pragma once

#include "Flight.h"
#include "FrameComposer.h"
#include "KindChange.h"
#include "SaverSettings.h"
#include "ShowLoop.h"
#include "ShowOnOutput.h"
#include "ShowSize.h"
#include "ShowSurface.h"

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class MusicController;

// An output show's background: a picture of the show's size, or, when there is none,
// one colour (0xRRGGBB).
struct ShowBackground {
    ShowSize Size;
    Surface Picture;
    uint32_t Colour = 0;
};

// One output's 2D show under Wayland: a flight of its own at its surface's show size,
// run by the same show loop as the X11 show, one pass each time the compositor asks the
// surface for a frame. Several of these share the flags (any input ends them all) and
// the music.
class OutputShow : public ShowOnOutput {
public:
    // surface is configured; background is the show size's. Draws the first frame.
    OutputShow(const SaverSettings& settings, ShowFlags& flags, MusicController& music,
               std::unique_ptr<ShowSurface> surface, ShowBackground background, uint64_t seed,
               std::function<std::optional<CursorPoint>()> cursor);

    ShowSize Size() const override { return {flight_.ScreenWidth, flight_.ScreenHeight}; }
    bool SizedForPlace() const override;
    bool PassIfDue(Clock::time_point now) override;
    // Its next pass, or the kind-change timer.
    std::optional<Clock::time_point> NextWork() const override;

private:
    void StartFlight(std::optional<KindSprites> madeAhead);
    // Composes the next frame into a buffer of the surface, when the show does so and
    // one is free; else that frame is not drawn.
    void AimNextFrame(bool mayAddBuffer);

    SaverSettings settings_;  // each show's own: a random kind is drawn per flight
    MusicController& music_;
    Flight flight_;
    FrameComposer composer_;
    bool direct_ = false;            // frames composed straight into the surface's buffers
    ShmBuffer* target_ = nullptr;    // the buffer the frame being composed goes into
    KindChangeTimer kindTimer_;
    std::optional<Clock::time_point> nextKindTick_;
    KindChange kindChange_;
    ShowLoop loop_;
};
