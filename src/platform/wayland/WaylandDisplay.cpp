#include "WaylandDisplay.h"

#include "ExitSignals.h"

#include "fractional-scale-v1-client-protocol.h"
#include "viewporter-client-protocol.h"
// The protocol names an argument "namespace", a keyword of C++.
#define namespace layer_namespace
#include "wlr-layer-shell-unstable-v1-client-protocol.h"
#undef namespace
#include "wlr-screencopy-unstable-v1-client-protocol.h"
#include "xdg-shell-client-protocol.h"

#include <wayland-client.h>

#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

WaylandDisplay& Of(void* data)
{
    return *static_cast<WaylandDisplay*>(data);
}

template <typename Proxy>
Proxy* Bind(wl_registry* registry, uint32_t name, const wl_interface& interface, uint32_t offered, uint32_t wanted)
{
    return static_cast<Proxy*>(wl_registry_bind(registry, name, &interface, std::min(offered, wanted)));
}

}  // namespace

struct RegistryEvents {
    static void Global(void* data, wl_registry*, uint32_t name, const char* interface, uint32_t version)
    {
        Of(data).Global(name, interface, version);
    }
    static void GlobalRemove(void* data, wl_registry*, uint32_t name) { Of(data).GlobalRemove(name); }
    static void Ping(void*, xdg_wm_base* base, uint32_t serial) { xdg_wm_base_pong(base, serial); }
};

std::unique_ptr<WaylandDisplay> WaylandDisplay::Connect(std::string* error)
{
    wl_display* display = wl_display_connect(nullptr);
    if (!display) {
        *error = "cannot connect to a Wayland compositor";
        return nullptr;
    }
    std::unique_ptr<WaylandDisplay> connection(new WaylandDisplay(display));
    // The first round trip lists the globals, the second their first events (outputs).
    if (!connection->Roundtrip() || !connection->Roundtrip()) {
        *error = "the Wayland compositor closed the connection";
        return nullptr;
    }
    const ShowGlobals& g = connection->globals_;
    if (!g.Compositor || !g.Shm || (!g.LayerShell && !g.WmBase)) {
        *error = "the Wayland compositor offers no way to show a surface on an output";
        return nullptr;
    }
    return connection;
}

WaylandDisplay::WaylandDisplay(wl_display* display) : display_(display)
{
    static const wl_registry_listener listener{RegistryEvents::Global, RegistryEvents::GlobalRemove};
    registry_ = wl_display_get_registry(display_);
    wl_registry_add_listener(registry_, &listener, this);
}

WaylandDisplay::~WaylandDisplay()
{
    seats_.clear();
    goneOutputs_.clear();
    outputs_.clear();
    if (screencopy_)
        zwlr_screencopy_manager_v1_destroy(screencopy_);
    if (globals_.FractionalScale)
        wp_fractional_scale_manager_v1_destroy(globals_.FractionalScale);
    if (globals_.Viewporter)
        wp_viewporter_destroy(globals_.Viewporter);
    if (globals_.WmBase)
        xdg_wm_base_destroy(globals_.WmBase);
    if (globals_.LayerShell)
        zwlr_layer_shell_v1_destroy(globals_.LayerShell);
    if (globals_.Shm)
        wl_shm_destroy(globals_.Shm);
    if (globals_.Compositor)
        wl_compositor_destroy(globals_.Compositor);
    wl_registry_destroy(registry_);
    wl_display_flush(display_);
    wl_display_disconnect(display_);
}

void WaylandDisplay::Global(uint32_t name, const char* interface, uint32_t version)
{
    const std::string_view is(interface);
    if (is == wl_compositor_interface.name && version >= 4) {
        // damage_buffer came with version 4.
        globals_.Compositor = Bind<wl_compositor>(registry_, name, wl_compositor_interface, version, 4);
    } else if (is == wl_shm_interface.name) {
        globals_.Shm = Bind<wl_shm>(registry_, name, wl_shm_interface, version, 1);
    } else if (is == zwlr_layer_shell_v1_interface.name) {
        // Version 4 reads keyboard interactivity 1 as "exclusive", as earlier ones read "on".
        globals_.LayerShell = Bind<zwlr_layer_shell_v1>(registry_, name, zwlr_layer_shell_v1_interface, version, 4);
    } else if (is == xdg_wm_base_interface.name) {
        static const xdg_wm_base_listener listener{RegistryEvents::Ping};
        globals_.WmBase = Bind<xdg_wm_base>(registry_, name, xdg_wm_base_interface, version, 2);
        xdg_wm_base_add_listener(globals_.WmBase, &listener, this);
    } else if (is == wp_viewporter_interface.name) {
        globals_.Viewporter = Bind<wp_viewporter>(registry_, name, wp_viewporter_interface, version, 1);
    } else if (is == wp_fractional_scale_manager_v1_interface.name) {
        globals_.FractionalScale = Bind<wp_fractional_scale_manager_v1>(
            registry_, name, wp_fractional_scale_manager_v1_interface, version, 1);
    } else if (is == zwlr_screencopy_manager_v1_interface.name) {
        screencopy_ = Bind<zwlr_screencopy_manager_v1>(registry_, name, zwlr_screencopy_manager_v1_interface, version, 1);
    } else if (is == wl_seat_interface.name) {
        seats_.push_back(std::make_unique<SeatInput>(Bind<wl_seat>(registry_, name, wl_seat_interface, version, 5),
                                                     [this](wl_surface* surface) { return OriginOf(surface); }));
        seats_.back()->OnPress = [this] {
            if (OnPress)
                OnPress();
        };
    } else if (is == wl_output_interface.name) {
        auto output = std::make_unique<WaylandOutput>(Bind<wl_output>(registry_, name, wl_output_interface, version, 4), name);
        WaylandOutput* made = output.get();
        output->OnReady = [this, made] { newOutputs_.push_back(made); };
        outputs_.push_back(std::move(output));
    }
}

void WaylandDisplay::GlobalRemove(uint32_t name)
{
    const auto gone = std::find_if(outputs_.begin(), outputs_.end(),
                                   [name](const auto& output) { return output->GlobalName() == name; });
    if (gone == outputs_.end())
        return;
    newOutputs_.erase(std::remove(newOutputs_.begin(), newOutputs_.end(), gone->get()), newOutputs_.end());
    goneOutputs_.push_back(std::move(*gone));
    outputs_.erase(gone);
}

std::vector<WaylandOutput*> WaylandDisplay::TakeNewOutputs()
{
    return std::exchange(newOutputs_, {});
}

std::vector<std::unique_ptr<WaylandOutput>> WaylandDisplay::TakeGoneOutputs()
{
    return std::exchange(goneOutputs_, {});
}

std::unique_ptr<ShowSurface> WaylandDisplay::MakeSurface(WaylandOutput& output)
{
    return std::make_unique<ShowSurface>(globals_, output, surfaces_);
}

std::optional<LayoutPoint> WaylandDisplay::OriginOf(wl_surface* surface) const
{
    for (const ShowSurface* s : surfaces_)
        if (s->Handle() == surface)
            return LayoutPoint{s->Output().X(), s->Output().Y()};
    return std::nullopt;
}

LayoutPoint WaylandDisplay::PointerTravel() const
{
    // Any seat's pointer moving counts; with one seat, as almost always, that one's.
    for (const auto& seat : seats_)
        if (seat->PointerTravel() != LayoutPoint{})
            return seat->PointerTravel();
    return {};
}

bool WaylandDisplay::Roundtrip()
{
    return wl_display_roundtrip(display_) >= 0;
}

WaylandDisplay::Wait WaylandDisplay::WaitForEvents(int timeoutMs)
{
    while (wl_display_prepare_read(display_) != 0)
        if (wl_display_dispatch_pending(display_) < 0)
            return Wait::Lost;
    // A compositor slow to read may leave requests unsent (EAGAIN); they go with the next flush.
    if (wl_display_flush(display_) < 0 && errno != EAGAIN) {
        wl_display_cancel_read(display_);
        return Wait::Lost;
    }
    pollfd fds[2] = {{wl_display_get_fd(display_), POLLIN, 0}, {ExitSignalDescriptor(), POLLIN, 0}};
    const int ready = poll(fds, fds[1].fd >= 0 ? 2 : 1, timeoutMs);
    if (ready > 0 && (fds[0].revents & (POLLIN | POLLHUP | POLLERR))) {
        if (wl_display_read_events(display_) < 0)
            return Wait::Lost;
    } else {
        wl_display_cancel_read(display_);
    }
    if (wl_display_dispatch_pending(display_) < 0)
        return Wait::Lost;
    return TakeExitSignal() ? Wait::Signal : Wait::Events;
}
