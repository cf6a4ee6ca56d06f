#pragma once

#include "DamageStrips.h"
#include "Rect.h"
#include "ShmBuffer.h"
#include "Surface.h"

#include <functional>
#include <memory>
#include <vector>

class WaylandOutput;
struct wl_callback;
struct wl_compositor;
struct wl_shm;
struct wl_surface;
struct wp_fractional_scale_manager_v1;
struct wp_fractional_scale_v1;
struct wp_viewport;
struct wp_viewporter;
struct xdg_surface;
struct xdg_toplevel;
struct xdg_wm_base;
struct zwlr_layer_shell_v1;
struct zwlr_layer_surface_v1;

// The compositor's interfaces a show surface is made with; the shells, the viewporter and
// the fractional scales are null where the compositor does not offer them.
struct ShowGlobals {
    wl_compositor* Compositor = nullptr;
    wl_shm* Shm = nullptr;
    zwlr_layer_shell_v1* LayerShell = nullptr;
    xdg_wm_base* WmBase = nullptr;
    wp_viewporter* Viewporter = nullptr;
    wp_fractional_scale_manager_v1* FractionalScale = nullptr;
};

// The surface that covers one output during the show: an overlay layer surface anchored
// to every edge, with the keyboard to itself, where the compositor has a layer shell;
// else a full-screen toplevel on that output. Frames are composed straight into its
// shared-memory buffers and shown when the compositor asks for one.
class ShowSurface {
public:
    // Listed in `live` while it exists, so input can be traced to its output.
    ShowSurface(const ShowGlobals& globals, WaylandOutput& output, std::vector<ShowSurface*>& live);
    ~ShowSurface();
    ShowSurface(const ShowSurface&) = delete;
    ShowSurface& operator=(const ShowSurface&) = delete;

    // The compositor closed the surface (or asked the toplevel to close).
    std::function<void()> OnClosed;

    wl_surface* Handle() const { return surface_; }
    const WaylandOutput& Output() const { return output_; }

    // The pixels the surface covers on its output; 0 x 0 until the compositor has
    // configured it.
    int PixelWidth() const { return pixelWidth_; }
    int PixelHeight() const { return pixelHeight_; }
    // The same area in the compositor's logical units.
    int LogicalWidth() const { return coveredWidth_; }
    int LogicalHeight() const { return coveredHeight_; }

    // True when the compositor wants the next frame: configured, its last frame callback
    // came, and a buffer it does not hold is at hand. A hidden or powered-off output
    // never asks, and its show then does no work.
    bool WantsFrame() const;

    // The buffer the next frame is composed into: one the compositor does not hold, of
    // the surface's pixel size, its Memory telling what it holds. Null when there is none
    // (unconfigured, all held) or the frames come from OpenGL. Without mayAddBuffer, a
    // surface with buffers makes no more.
    ShmBuffer* NextBuffer(bool mayAddBuffer = true);
    // Shows that buffer, its frame composed (Memory up to date); whole when the frame
    // differs from the one shown everywhere, as after a new background.
    void Commit(ShmBuffer& buffer, bool whole);
    // Shows a frame of another size than the surface's pixels, fitted keeping its shape,
    // with black bars.
    void Present(const Surface& frame);

    // The frames come from OpenGL instead, whose swap commits them: no shared-memory
    // buffer is needed.
    void DrawnByGl() { drawnByGl_ = true; }
    // Asks for the frame callback with the commit the caller makes next (a swap), and
    // counts that frame.
    void CommitComing();

    long PresentedFrames() const { return presented_; }
    long FrameCallbacks() const { return callbacks_; }

private:
    friend struct ShowSurfaceEvents;

    void Configure(int width, int height);
    void PreferredScale(uint32_t scale120);
    void FrameDone();
    ShmBuffer* FreeBuffer() const;
    void Fit(const Surface& frame, ShmBuffer& buffer);

    const ShowGlobals& globals_;
    WaylandOutput& output_;
    std::vector<ShowSurface*>& live_;
    wl_surface* surface_ = nullptr;
    zwlr_layer_surface_v1* layer_ = nullptr;
    xdg_surface* xdgSurface_ = nullptr;
    xdg_toplevel* toplevel_ = nullptr;
    wp_viewport* viewport_ = nullptr;
    wp_fractional_scale_v1* fractional_ = nullptr;
    wl_callback* frameCallback_ = nullptr;

    int toplevelWidth_ = 0;  // the size a toplevel's last configure asked for
    int toplevelHeight_ = 0;
    int logicalWidth_ = 0;  // as the last configure gave it
    int logicalHeight_ = 0;
    int coveredWidth_ = 0;  // the logical size covered, the toplevel's own choice included
    int coveredHeight_ = 0;
    int pixelWidth_ = 0;
    int pixelHeight_ = 0;
    uint32_t scale120_ = 0;  // the compositor's preferred scale in 120ths; 0 until it says
    bool configured_ = false;
    bool damageWhole_ = true;
    bool drawnByGl_ = false;
    std::vector<std::unique_ptr<ShmBuffer>> buffers_;
    TileMask shown_{0, 0};  // the tiles the frame on screen drew
    DamageStrips damage_;
    std::vector<int> fitColumns_;  // source column for each buffer column when fitting
    long presented_ = 0;
    long callbacks_ = 0;
};
