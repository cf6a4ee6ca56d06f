#include "WaylandOutput.h"

#include <wayland-client-protocol.h>

namespace {

WaylandOutput& Of(void* data)
{
    return *static_cast<WaylandOutput*>(data);
}

}  // namespace

// The compositor's description, written into the output's fields.
struct WaylandOutputEvents {
    static void Geometry(void* data, wl_output*, int32_t x, int32_t y, int32_t, int32_t, int32_t, const char*,
                         const char*, int32_t transform)
    {
        WaylandOutput& o = Of(data);
        o.x_ = x;
        o.y_ = y;
        o.turned_ = transform == WL_OUTPUT_TRANSFORM_90 || transform == WL_OUTPUT_TRANSFORM_270 ||
                    transform == WL_OUTPUT_TRANSFORM_FLIPPED_90 || transform == WL_OUTPUT_TRANSFORM_FLIPPED_270;
    }
    static void Mode(void* data, wl_output*, uint32_t flags, int32_t width, int32_t height, int32_t)
    {
        if (flags & WL_OUTPUT_MODE_CURRENT) {
            Of(data).modeWidth_ = width;
            Of(data).modeHeight_ = height;
        }
    }
    static void Done(void* data, wl_output*)
    {
        WaylandOutput& o = Of(data);
        if (o.ready_) {
            if (o.OnChange)
                o.OnChange();
            return;
        }
        o.ready_ = true;
        if (o.OnReady)
            o.OnReady();
    }
    static void Scale(void* data, wl_output*, int32_t factor) { Of(data).scale_ = factor > 0 ? factor : 1; }
    static void Name(void* data, wl_output*, const char* name) { Of(data).name_ = name; }
    static void Description(void*, wl_output*, const char*) {}
};

WaylandOutput::WaylandOutput(wl_output* output, uint32_t globalName) : output_(output), globalName_(globalName)
{
    static const wl_output_listener listener{WaylandOutputEvents::Geometry, WaylandOutputEvents::Mode,
                                             WaylandOutputEvents::Done,     WaylandOutputEvents::Scale,
                                             WaylandOutputEvents::Name,     WaylandOutputEvents::Description};
    wl_output_add_listener(output_, &listener, this);
}

WaylandOutput::~WaylandOutput()
{
    if (wl_output_get_version(output_) >= WL_OUTPUT_RELEASE_SINCE_VERSION)
        wl_output_release(output_);
    else
        wl_output_destroy(output_);
}
