#include "IdleSources.h"

#include "GnomeIdleSource.h"
#include "SessionBus.h"
#include "WaylandIdleSource.h"
#include "X11IdleSource.h"

OpenedIdleSource OpenIdleSource(int idleMs)
{
    auto wayland = std::make_unique<WaylandIdleSource>(idleMs);
    if (wayland->State() == WaylandIdleSource::Opened::Watching)
        return {std::move(wayland), {}};
    const bool waylandSession = wayland->State() == WaylandIdleSource::Opened::NoProtocol;
    wayland.reset();

    if (SessionBusKnown()) {
        auto gnome = std::make_unique<GnomeIdleSource>(idleMs);
        if (gnome->Watching())
            return {std::move(gnome), {}};
    }
    if (waylandSession)
        return {nullptr, QStringLiteral("this Wayland compositor tells no client when the session is idle (neither "
                                        "ext-idle-notify-v1 nor KDE's idle protocol), and GNOME's IdleMonitor does "
                                        "not answer on the session bus")};

    auto x11 = std::make_unique<X11IdleSource>(idleMs);
    if (x11->Problem().isEmpty())
        return {std::move(x11), {}};
    return {nullptr, x11->Problem()};
}
