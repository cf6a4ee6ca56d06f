#pragma once

#include "ExitSignals.h"
#include "ShowLoop.h"

#include <QSize>

#include <functional>
#include <optional>

struct ShowContext;

// The parts of a show's life that depend on where it runs. Full screen (/s) it ends on
// any input or a signal. Placed by a screen-saver daemon (ShowContext::Host) it ends
// only on a signal or when the daemon's window goes away, and a new size of that
// window restarts the flight at the new size.
class HostedShow {
public:
    // Installs the signal handlers; call before the show window appears.
    explicit HostedShow(ShowContext& ctx);

    bool Hosted() const;

    // The cursor port of the show loop: nothing when movement must not end the show.
    std::function<std::optional<CursorPoint>()> CursorPosition() const;

    // For the frame work: true (and the loop asked to end) when the place's size no
    // longer matches the show.
    bool AskRestartOnNewSize();

    // After the loop ended: true when it ended only for a new size. The context then
    // holds the new show size and its background, and the exit request is cleared.
    bool TakeNewSize();

private:
    ShowContext& ctx_;
    bool stopped_ = false;
    ExitSignals signals_;
};

// The show size for a place of the given size in pixels.
QSize HostedShowSize(QSize place);
