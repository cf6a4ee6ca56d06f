#pragma once

#include "SeatInput.h"
#include "ShowSurface.h"
#include "WaylandOutput.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct wl_display;
struct wl_registry;
struct zwlr_screencopy_manager_v1;

// The show's connection to the Wayland compositor: the interfaces it offers, the
// outputs as they come and go, the seats' input, and waiting for events or an ending
// signal.
class WaylandDisplay {
public:
    // Null, with the reason, when no compositor answers or it lacks what the show needs.
    static std::unique_ptr<WaylandDisplay> Connect(std::string* error);
    ~WaylandDisplay();
    WaylandDisplay(const WaylandDisplay&) = delete;
    WaylandDisplay& operator=(const WaylandDisplay&) = delete;

    // A key, a button or a touch went down on any seat.
    std::function<void()> OnPress;

    // Outputs whose description became complete since the last call, first call included.
    std::vector<WaylandOutput*> TakeNewOutputs();
    // Outputs the compositor took away since the last call; the caller lets go of what it
    // made for them before these are destroyed.
    std::vector<std::unique_ptr<WaylandOutput>> TakeGoneOutputs();

    // A show surface on the output, listed for input.
    std::unique_ptr<ShowSurface> MakeSurface(WaylandOutput& output);
    bool HasLayerShell() const { return globals_.LayerShell != nullptr; }
    const ShowGlobals& Globals() const { return globals_; }

    // How far the pointer moved over the show since first seen there (SeatInput).
    LayoutPoint PointerTravel() const;

    wl_display* Handle() const { return display_; }
    wl_shm* Shm() const { return globals_.Shm; }
    zwlr_screencopy_manager_v1* Screencopy() const { return screencopy_; }

    enum class Wait { Events, Signal, Lost };
    // Sends the requests made, then waits up to timeoutMs (-1: as long as it takes) for
    // the compositor's events or an ending signal, and runs the events that came. Lost
    // when the compositor has gone.
    Wait WaitForEvents(int timeoutMs);
    // Sends the requests made and runs events until the compositor has answered them all;
    // false when it has gone.
    bool Roundtrip();

private:
    friend struct RegistryEvents;

    explicit WaylandDisplay(wl_display* display);
    void Global(uint32_t name, const char* interface, uint32_t version);
    void GlobalRemove(uint32_t name);
    std::optional<LayoutPoint> OriginOf(wl_surface* surface) const;

    wl_display* display_;
    wl_registry* registry_ = nullptr;
    ShowGlobals globals_;
    zwlr_screencopy_manager_v1* screencopy_ = nullptr;
    std::vector<std::unique_ptr<SeatInput>> seats_;
    std::vector<std::unique_ptr<WaylandOutput>> outputs_;
    std::vector<WaylandOutput*> newOutputs_;
    std::vector<std::unique_ptr<WaylandOutput>> goneOutputs_;
    std::vector<ShowSurface*> surfaces_;
};
