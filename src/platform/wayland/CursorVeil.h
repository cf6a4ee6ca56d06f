#pragma once

#include <memory>

class ShmBuffer;
class WaylandDisplay;
class WaylandOutput;
struct wl_surface;
struct wp_viewport;
struct zwlr_layer_surface_v1;

// A clear layer surface over one output while its picture is taken. The pointer resting
// there enters it, so the cursor is hidden (SeatInput) before the copy: a compositor
// that draws the cursor into the output's own pixels, as a software cursor is, would
// otherwise leave it in the desktop the show flies over. Does nothing without a layer
// shell; gone, it leaves the output as it was.
class CursorVeil {
public:
    // Returns once the compositor has shown it and answered what that caused.
    CursorVeil(WaylandDisplay& display, const WaylandOutput& output);
    ~CursorVeil();
    CursorVeil(const CursorVeil&) = delete;
    CursorVeil& operator=(const CursorVeil&) = delete;

private:
    friend struct CursorVeilEvents;

    WaylandDisplay& display_;
    wl_surface* surface_ = nullptr;
    zwlr_layer_surface_v1* layer_ = nullptr;
    wp_viewport* viewport_ = nullptr;
    std::unique_ptr<ShmBuffer> buffer_;
    int width_ = 0;
    int height_ = 0;
    bool configured_ = false;
    bool closed_ = false;
};
