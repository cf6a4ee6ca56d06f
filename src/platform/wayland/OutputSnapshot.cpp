#include "OutputSnapshot.h"

#include "CursorVeil.h"
#include "ShmBuffer.h"
#include "WaylandDisplay.h"

#include "wlr-screencopy-unstable-v1-client-protocol.h"

#include <wayland-client.h>

#include <memory>
#include <utility>

namespace {

struct Copy {
    wl_shm* Shm = nullptr;
    zwlr_screencopy_frame_v1* Frame = nullptr;
    std::unique_ptr<ShmBuffer> Buffer;
    uint32_t Format = 0;
    bool YInverted = false;
    bool Done = false;
    bool Ready = false;
};

Copy& Of(void* data)
{
    return *static_cast<Copy*>(data);
}

bool SwapsRedAndBlue(uint32_t format)
{
    return format == WL_SHM_FORMAT_ABGR8888 || format == WL_SHM_FORMAT_XBGR8888;
}

bool Readable(uint32_t format)
{
    return format == WL_SHM_FORMAT_ARGB8888 || format == WL_SHM_FORMAT_XRGB8888 || SwapsRedAndBlue(format);
}

struct FrameEvents {
    static void Buffer(void* data, zwlr_screencopy_frame_v1* frame, uint32_t format, uint32_t width, uint32_t height,
                       uint32_t stride)
    {
        Copy& copy = Of(data);
        if (copy.Buffer || !Readable(format) || stride != width * 4) {
            // A later offer (version 3 lists several) may do; a copy not started ends as failed.
            return;
        }
        copy.Buffer = ShmBuffer::Create(copy.Shm, static_cast<int>(width), static_cast<int>(height), format);
        if (!copy.Buffer)
            return;
        copy.Format = format;
        zwlr_screencopy_frame_v1_copy(frame, copy.Buffer->Buffer());
    }
    static void Flags(void* data, zwlr_screencopy_frame_v1*, uint32_t flags)
    {
        Of(data).YInverted = flags & ZWLR_SCREENCOPY_FRAME_V1_FLAGS_Y_INVERT;
    }
    static void Ready(void* data, zwlr_screencopy_frame_v1*, uint32_t, uint32_t, uint32_t)
    {
        Of(data).Ready = Of(data).Done = true;
    }
    static void Failed(void* data, zwlr_screencopy_frame_v1*) { Of(data).Done = true; }
    static void Damage(void*, zwlr_screencopy_frame_v1*, uint32_t, uint32_t, uint32_t, uint32_t) {}
    static void Dmabuf(void*, zwlr_screencopy_frame_v1*, uint32_t, uint32_t, uint32_t) {}
    static void BufferDone(void* data, zwlr_screencopy_frame_v1*)
    {
        if (!Of(data).Buffer)
            Of(data).Done = true;
    }
};

}  // namespace

Surface OutputSnapshot(WaylandDisplay& display, const WaylandOutput& output)
{
    if (!display.Screencopy())
        return {};
    static const zwlr_screencopy_frame_v1_listener listener{FrameEvents::Buffer, FrameEvents::Flags,
                                                            FrameEvents::Ready,  FrameEvents::Failed,
                                                            FrameEvents::Damage, FrameEvents::Dmabuf,
                                                            FrameEvents::BufferDone};
    const CursorVeil veil(display, output);
    Copy copy;
    copy.Shm = display.Shm();
    copy.Frame = zwlr_screencopy_manager_v1_capture_output(display.Screencopy(), 0, output.Handle());
    zwlr_screencopy_frame_v1_add_listener(copy.Frame, &listener, &copy);
    // The copy is ready after the compositor's next repaint of the output; only its
    // events are waited for here, so an ending signal stays in its pipe for the show.
    while (!copy.Done && wl_display_dispatch(display.Handle()) >= 0) {
    }
    zwlr_screencopy_frame_v1_destroy(copy.Frame);
    if (!copy.Ready || !copy.Buffer)
        return {};

    const int W = copy.Buffer->Width(), H = copy.Buffer->Height();
    Surface picture(W, H);
    const bool swap = SwapsRedAndBlue(copy.Format);
    for (int y = 0; y < H; ++y) {
        const uint32_t* from = copy.Buffer->Pixels() + static_cast<size_t>(copy.YInverted ? H - 1 - y : y) * W;
        uint32_t* to = picture.Row(y);
        for (int x = 0; x < W; ++x) {
            const uint32_t p = from[x];
            to[x] = OpaqueBlack | (swap ? (p & 0x00ff00) | (p >> 16 & 0xff) | (p & 0xff) << 16 : p);
        }
    }
    return picture;
}
