#include "ShowSurface.h"

#include "WaylandOutput.h"

#include "fractional-scale-v1-client-protocol.h"
#include "viewporter-client-protocol.h"
// The protocol names an argument "namespace", a keyword of C++.
#define namespace layer_namespace
#include "wlr-layer-shell-unstable-v1-client-protocol.h"
#undef namespace
#include "xdg-shell-client-protocol.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

ShowSurface& Of(void* data)
{
    return *static_cast<ShowSurface*>(data);
}

// Three buffers at most: one on screen, one the compositor may still read, one to draw.
constexpr size_t MostBuffers = 3;

}  // namespace

struct ShowSurfaceEvents {
    static void LayerConfigure(void* data, zwlr_layer_surface_v1* layer, uint32_t serial, uint32_t width,
                               uint32_t height)
    {
        zwlr_layer_surface_v1_ack_configure(layer, serial);
        Of(data).Configure(static_cast<int>(width), static_cast<int>(height));
    }
    static void LayerClosed(void* data, zwlr_layer_surface_v1*)
    {
        if (Of(data).OnClosed)
            Of(data).OnClosed();
    }

    static void XdgConfigure(void* data, xdg_surface* surface, uint32_t serial)
    {
        xdg_surface_ack_configure(surface, serial);
        ShowSurface& s = Of(data);
        s.Configure(s.toplevelWidth_, s.toplevelHeight_);
    }
    static void ToplevelConfigure(void* data, xdg_toplevel*, int32_t width, int32_t height, wl_array*)
    {
        Of(data).toplevelWidth_ = width;
        Of(data).toplevelHeight_ = height;
    }
    static void ToplevelClose(void* data, xdg_toplevel*) { LayerClosed(data, nullptr); }
    static void ToplevelBounds(void*, xdg_toplevel*, int32_t, int32_t) {}
    static void ToplevelCapabilities(void*, xdg_toplevel*, wl_array*) {}

    static void FrameDone(void* data, wl_callback*, uint32_t) { Of(data).FrameDone(); }

    static void PreferredScale(void* data, wp_fractional_scale_v1*, uint32_t scale120)
    {
        Of(data).PreferredScale(scale120);
    }
};

ShowSurface::ShowSurface(const ShowGlobals& globals, WaylandOutput& output, std::vector<ShowSurface*>& live)
    : globals_(globals), output_(output), live_(live)
{
    live_.push_back(this);
    surface_ = wl_compositor_create_surface(globals_.Compositor);
    if (globals_.Viewporter) {
        viewport_ = wp_viewporter_get_viewport(globals_.Viewporter, surface_);
        // A fractional scale is only of use where the viewport maps the buffer onto the surface.
        if (globals_.FractionalScale) {
            static const wp_fractional_scale_v1_listener listener{ShowSurfaceEvents::PreferredScale};
            fractional_ = wp_fractional_scale_manager_v1_get_fractional_scale(globals_.FractionalScale, surface_);
            wp_fractional_scale_v1_add_listener(fractional_, &listener, this);
        }
    }
    if (globals_.LayerShell) {
        static const zwlr_layer_surface_v1_listener listener{ShowSurfaceEvents::LayerConfigure,
                                                             ShowSurfaceEvents::LayerClosed};
        layer_ = zwlr_layer_shell_v1_get_layer_surface(globals_.LayerShell, surface_, output_.Handle(),
                                                       ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY, "kestrova-saver");
        zwlr_layer_surface_v1_add_listener(layer_, &listener, this);
        zwlr_layer_surface_v1_set_anchor(layer_, ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM |
                                                     ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT |
                                                     ZWLR_LAYER_SURFACE_V1_ANCHOR_RIGHT);
        zwlr_layer_surface_v1_set_size(layer_, 0, 0);
        // Over panels and bars too, not beside them.
        zwlr_layer_surface_v1_set_exclusive_zone(layer_, -1);
        zwlr_layer_surface_v1_set_keyboard_interactivity(layer_,
                                                         ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_EXCLUSIVE);
    } else {
        static const xdg_surface_listener surfaceListener{ShowSurfaceEvents::XdgConfigure};
        static const xdg_toplevel_listener toplevelListener{
            ShowSurfaceEvents::ToplevelConfigure, ShowSurfaceEvents::ToplevelClose, ShowSurfaceEvents::ToplevelBounds,
            ShowSurfaceEvents::ToplevelCapabilities};
        xdgSurface_ = xdg_wm_base_get_xdg_surface(globals_.WmBase, surface_);
        xdg_surface_add_listener(xdgSurface_, &surfaceListener, this);
        toplevel_ = xdg_surface_get_toplevel(xdgSurface_);
        xdg_toplevel_add_listener(toplevel_, &toplevelListener, this);
        xdg_toplevel_set_title(toplevel_, "Kestrova Saver");
        xdg_toplevel_set_app_id(toplevel_, "kestrova-saver");
        xdg_toplevel_set_fullscreen(toplevel_, output_.Handle());
    }
    wl_surface_commit(surface_);
    // A new scale or mode of the output changes the pixels the surface covers.
    output_.OnChange = [this] {
        if (configured_)
            Configure(logicalWidth_, logicalHeight_);
    };
}

ShowSurface::~ShowSurface()
{
    live_.erase(std::find(live_.begin(), live_.end(), this));
    output_.OnChange = nullptr;
    if (frameCallback_)
        wl_callback_destroy(frameCallback_);
    if (fractional_)
        wp_fractional_scale_v1_destroy(fractional_);
    if (viewport_)
        wp_viewport_destroy(viewport_);
    if (layer_)
        zwlr_layer_surface_v1_destroy(layer_);
    if (toplevel_)
        xdg_toplevel_destroy(toplevel_);
    if (xdgSurface_)
        xdg_surface_destroy(xdgSurface_);
    wl_surface_destroy(surface_);
}

void ShowSurface::Configure(int width, int height)
{
    logicalWidth_ = width;
    logicalHeight_ = height;
    const int outputScale = output_.Scale();
    // The compositor's fractional scale where it tells one (1.25 makes 1536 x 864 a
    // 1920 x 1080 buffer), else the output's whole one.
    const double scale = scale120_ ? scale120_ / 120.0 : outputScale;
    if (width <= 0 || height <= 0) {
        // A toplevel the compositor leaves to us: the output's own size.
        width = static_cast<int>(std::lround(output_.PixelWidth() / scale));
        height = static_cast<int>(std::lround(output_.PixelHeight() / scale));
    }
    coveredWidth_ = width;
    coveredHeight_ = height;
    int pixelWidth = static_cast<int>(std::lround(width * scale));
    int pixelHeight = static_cast<int>(std::lround(height * scale));
    if (viewport_) {
        // Every pixel of the output, whatever its scale: its mode, when the mode is what
        // the surface covers (the surface may be configured for a new mode before the
        // output describes it), so the compositor resamples nothing.
        const double slack = std::ceil(scale);
        const bool modeFits = std::abs(output_.PixelWidth() - pixelWidth) < slack &&
                              std::abs(output_.PixelHeight() - pixelHeight) < slack;
        if (modeFits) {
            pixelWidth = output_.PixelWidth();
            pixelHeight = output_.PixelHeight();
        }
        wp_viewport_set_destination(viewport_, width, height);
    } else {
        wl_surface_set_buffer_scale(surface_, outputScale);
    }
    if (pixelWidth != pixelWidth_ || pixelHeight != pixelHeight_) {
        buffers_.clear();
        pixelWidth_ = pixelWidth;
        pixelHeight_ = pixelHeight;
        damageWhole_ = true;
    }
    configured_ = pixelWidth_ > 0 && pixelHeight_ > 0;
}

void ShowSurface::PreferredScale(uint32_t scale120)
{
    scale120_ = scale120;
    if (configured_)
        Configure(logicalWidth_, logicalHeight_);
}

void ShowSurface::FrameDone()
{
    wl_callback_destroy(frameCallback_);
    frameCallback_ = nullptr;
    ++callbacks_;
}

ShmBuffer* ShowSurface::FreeBuffer() const
{
    for (const auto& buffer : buffers_)
        if (!buffer->Busy())
            return buffer.get();
    return nullptr;
}

bool ShowSurface::WantsFrame() const
{
    return configured_ && !frameCallback_ && (drawnByGl_ || FreeBuffer() || buffers_.size() < MostBuffers);
}

ShmBuffer* ShowSurface::NextBuffer(bool mayAddBuffer)
{
    if (!configured_ || drawnByGl_)
        return nullptr;
    if (ShmBuffer* free = FreeBuffer())
        return free;
    if (buffers_.size() >= MostBuffers || (!mayAddBuffer && !buffers_.empty()))
        return nullptr;
    std::unique_ptr<ShmBuffer> made = ShmBuffer::Create(globals_.Shm, pixelWidth_, pixelHeight_);
    if (!made)
        return nullptr;
    buffers_.push_back(std::move(made));
    return buffers_.back().get();
}

void ShowSurface::Fit(const Surface& frame, ShmBuffer& buffer)
{
    const int W = buffer.Width(), H = buffer.Height();
    // The largest size of the frame's shape that fits, centred.
    int fitWidth = W, fitHeight = static_cast<int>(static_cast<long long>(W) * frame.Height() / frame.Width());
    if (fitHeight > H) {
        fitHeight = H;
        fitWidth = static_cast<int>(static_cast<long long>(H) * frame.Width() / frame.Height());
    }
    const int left = (W - fitWidth) / 2, top = (H - fitHeight) / 2;
    if (fitColumns_.size() != static_cast<size_t>(fitWidth)) {
        fitColumns_.resize(static_cast<size_t>(fitWidth));
        for (int x = 0; x < fitWidth; ++x)
            fitColumns_[static_cast<size_t>(x)] = static_cast<int>(static_cast<long long>(x) * frame.Width() / fitWidth);
    }
    for (int y = 0; y < H; ++y) {
        uint32_t* row = buffer.Pixels() + static_cast<size_t>(y) * W;
        if (y < top || y >= top + fitHeight) {
            std::fill(row, row + W, OpaqueBlack);
            continue;
        }
        const uint32_t* source = frame.Row(static_cast<int>(static_cast<long long>(y - top) * frame.Height() / fitHeight));
        std::fill(row, row + left, OpaqueBlack);
        for (int x = 0; x < fitWidth; ++x)
            row[left + x] = source[fitColumns_[static_cast<size_t>(x)]];
        std::fill(row + left + fitWidth, row + W, OpaqueBlack);
    }
}

void ShowSurface::Present(const Surface& frame)
{
    ShmBuffer* buffer = NextBuffer();
    if (!buffer)
        return;
    Fit(frame, *buffer);
    // What the buffer holds is no frame composed into it.
    buffer->Memory = FrameMemory();
    damageWhole_ = true;
    Commit(*buffer, true);
}

void ShowSurface::Commit(ShmBuffer& buffer, bool whole)
{
    const TileMask& drawn = buffer.Memory.Drawn();
    // What changed since the frame on screen: the tiles either frame drew. Frames the
    // compositor was not shown in between do not matter, the buffers' memories do.
    whole = whole || damageWhole_ || !buffer.Memory.HoldsFrame() || drawn.Width() != buffer.Width() ||
            drawn.Height() != buffer.Height() || shown_.Width() != drawn.Width() || shown_.Height() != drawn.Height();
    wl_surface_attach(surface_, buffer.Buffer(), 0, 0);
    if (whole) {
        wl_surface_damage_buffer(surface_, 0, 0, buffer.Width(), buffer.Height());
        damage_.Forget();
    } else {
        for (const Rect& r : damage_.Cover(drawn, shown_))
            wl_surface_damage_buffer(surface_, r.Left, r.Top, r.Width(), r.Height());
    }
    if (buffer.Memory.HoldsFrame())
        shown_ = drawn;
    damageWhole_ = !buffer.Memory.HoldsFrame();
    CommitComing();
    buffer.MarkBusy();
    wl_surface_commit(surface_);
}

void ShowSurface::CommitComing()
{
    static const wl_callback_listener frameListener{ShowSurfaceEvents::FrameDone};
    // A flight that restarts draws a second frame in one pass; one callback is enough.
    if (frameCallback_)
        wl_callback_destroy(frameCallback_);
    frameCallback_ = wl_surface_frame(surface_);
    wl_callback_add_listener(frameCallback_, &frameListener, this);
    ++presented_;
}
