#include "CursorVeil.h"

#include "ShmBuffer.h"
#include "ShowSurface.h"
#include "WaylandDisplay.h"
#include "WaylandOutput.h"

#include "viewporter-client-protocol.h"
// The protocol names an argument "namespace", a keyword of C++.
#define namespace layer_namespace
#include "wlr-layer-shell-unstable-v1-client-protocol.h"
#undef namespace

#include <wayland-client.h>

#include <algorithm>

struct CursorVeilEvents {
    static void Configure(void* data, zwlr_layer_surface_v1* layer, uint32_t serial, uint32_t width, uint32_t height)
    {
        zwlr_layer_surface_v1_ack_configure(layer, serial);
        auto& veil = *static_cast<CursorVeil*>(data);
        veil.width_ = static_cast<int>(width);
        veil.height_ = static_cast<int>(height);
        veil.configured_ = true;
    }
    static void Closed(void* data, zwlr_layer_surface_v1*) { static_cast<CursorVeil*>(data)->closed_ = true; }
};

CursorVeil::CursorVeil(WaylandDisplay& display, const WaylandOutput& output) : display_(display)
{
    const ShowGlobals& g = display.Globals();
    if (!g.LayerShell)
        return;
    static const zwlr_layer_surface_v1_listener listener{CursorVeilEvents::Configure, CursorVeilEvents::Closed};
    surface_ = wl_compositor_create_surface(g.Compositor);
    layer_ = zwlr_layer_shell_v1_get_layer_surface(g.LayerShell, surface_, output.Handle(),
                                                   ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY, "kestrova-saver");
    zwlr_layer_surface_v1_add_listener(layer_, &listener, this);
    zwlr_layer_surface_v1_set_anchor(layer_, ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM |
                                                 ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT |
                                                 ZWLR_LAYER_SURFACE_V1_ANCHOR_RIGHT);
    zwlr_layer_surface_v1_set_exclusive_zone(layer_, -1);
    wl_surface_commit(surface_);
    while (!configured_ && !closed_)
        if (!display.Roundtrip())
            return;
    if (closed_ || width_ <= 0 || height_ <= 0)
        return;
    // One clear pixel stretched over the output where the compositor can stretch; else
    // a clear buffer of the output's size.
    if (g.Viewporter) {
        viewport_ = wp_viewporter_get_viewport(g.Viewporter, surface_);
        wp_viewport_set_destination(viewport_, width_, height_);
    }
    buffer_ = ShmBuffer::Create(g.Shm, viewport_ ? 1 : width_, viewport_ ? 1 : height_, WL_SHM_FORMAT_ARGB8888);
    if (!buffer_)
        return;
    std::fill_n(buffer_->Pixels(), static_cast<size_t>(buffer_->Width()) * buffer_->Height(), 0u);
    wl_surface_attach(surface_, buffer_->Buffer(), 0, 0);
    wl_surface_damage_buffer(surface_, 0, 0, buffer_->Width(), buffer_->Height());
    wl_surface_commit(surface_);
    // The pointer's enter comes as the surface is shown; the second round trip carries
    // the hidden cursor to the compositor before the copy is asked for.
    if (display.Roundtrip())
        display.Roundtrip();
}

CursorVeil::~CursorVeil()
{
    if (viewport_)
        wp_viewport_destroy(viewport_);
    if (layer_)
        zwlr_layer_surface_v1_destroy(layer_);
    if (surface_)
        wl_surface_destroy(surface_);
}
