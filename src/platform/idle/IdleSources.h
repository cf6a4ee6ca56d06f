#pragma once

#include "IdleSource.h"

#include <memory>

struct OpenedIdleSource {
    std::unique_ptr<IdleSource> Source;
    // Why none could be opened, when Source is null.
    QString Problem;
};

// The first way of this session to hear about idleness, asked in order: the Wayland
// compositor's ext-idle-notify-v1, its KDE idle protocol, GNOME's IdleMonitor on the
// session bus, the X server's screen-saver extension. Under a Wayland compositor the
// X server is not asked: XWayland sees only the input of its own clients.
OpenedIdleSource OpenIdleSource(int idleMs);
