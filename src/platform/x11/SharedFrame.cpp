#include "SharedFrame.h"

#include <sys/ipc.h>
#include <sys/shm.h>

#include <bit>
#include <cstdlib>

namespace {

// Whether the window's pixels are 32-bit words 0x??RRGGBB in this machine's byte order,
// as our frames are; gives the window's depth.
bool TakesOurPixels(xcb_connection_t* c, xcb_window_t window, uint8_t& depth)
{
    xcb_get_geometry_reply_t* geometry = xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr);
    xcb_get_window_attributes_reply_t* attributes =
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, window), nullptr);
    bool fits = false;
    if (geometry != nullptr && attributes != nullptr) {
        depth = geometry->depth;
        const xcb_setup_t* setup = xcb_get_setup(c);
        const bool byteOrder = (setup->image_byte_order == XCB_IMAGE_ORDER_LSB_FIRST) ==
                               (std::endian::native == std::endian::little);
        bool wordPixels = false;
        for (auto f = xcb_setup_pixmap_formats_iterator(setup); f.rem > 0; xcb_format_next(&f))
            wordPixels = wordPixels || (f.data->depth == depth && f.data->bits_per_pixel == 32);
        bool rgb = false;
        for (auto s = xcb_setup_roots_iterator(setup); s.rem > 0; xcb_screen_next(&s))
            for (auto d = xcb_screen_allowed_depths_iterator(s.data); d.rem > 0; xcb_depth_next(&d))
                for (auto v = xcb_depth_visuals_iterator(d.data); v.rem > 0; xcb_visualtype_next(&v))
                    rgb = rgb || (v.data->visual_id == attributes->visual && v.data->red_mask == 0xFF0000u &&
                                  v.data->green_mask == 0xFF00u && v.data->blue_mask == 0xFFu);
        fits = byteOrder && wordPixels && rgb && (depth == 24 || depth == 32);
    }
    std::free(geometry);
    std::free(attributes);
    return fits;
}

// One round trip: every request sent before it has been carried out.
void Sync(xcb_connection_t* c)
{
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
}

}  // namespace

std::unique_ptr<SharedFrame> SharedFrame::Create(xcb_connection_t* c, xcb_window_t window, int width, int height)
{
    if (c == nullptr || width <= 0 || height <= 0)
        return nullptr;
    const xcb_query_extension_reply_t* shm = xcb_get_extension_data(c, &xcb_shm_id);
    uint8_t depth = 0;
    if (shm == nullptr || !shm->present || !TakesOurPixels(c, window, depth))
        return nullptr;

    const size_t bytes = static_cast<size_t>(width) * height * sizeof(uint32_t);
    const int id = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
    if (id < 0)
        return nullptr;
    void* memory = shmat(id, nullptr, 0);
    std::unique_ptr<SharedFrame> frame;
    if (memory != reinterpret_cast<void*>(-1)) {
        frame.reset(new SharedFrame(c, window, width, height, depth));
        frame->pixels_ = static_cast<uint32_t*>(memory);
        frame->segment_ = xcb_generate_id(c);
        xcb_generic_error_t* error = xcb_request_check(c, xcb_shm_attach_checked(c, frame->segment_, id, 1));
        if (error != nullptr) {
            // A server on another machine cannot see our memory.
            std::free(error);
            frame->segment_ = 0;
            frame.reset();
        }
    }
    // Marked for removal now, so it goes when the last of us and the server lets go.
    shmctl(id, IPC_RMID, nullptr);
    return frame;
}

SharedFrame::SharedFrame(xcb_connection_t* c, xcb_window_t window, int width, int height, uint8_t depth)
    : c_(c), window_(window), width_(width), height_(height), depth_(depth), gc_(xcb_generate_id(c))
{
    const uint32_t noExposures = 0;
    xcb_create_gc(c_, gc_, window_, XCB_GC_GRAPHICS_EXPOSURES, &noExposures);
}

SharedFrame::~SharedFrame()
{
    if (segment_ != 0)
        xcb_shm_detach(c_, segment_);
    xcb_free_gc(c_, gc_);
    Sync(c_);
    if (pixels_ != nullptr)
        shmdt(pixels_);
}

void SharedFrame::Put(std::span<const QRect> parts)
{
    if (parts.empty())
        return;
    // Banded: the first part starts the topmost band and the last ends the lowest.
    const int top = parts.front().top();
    const int bottom = parts.back().bottom() + 1;
    clip_.clear();
    for (const QRect& r : parts)
        clip_.push_back({static_cast<int16_t>(r.x()), static_cast<int16_t>(r.y()), static_cast<uint16_t>(r.width()),
                         static_cast<uint16_t>(r.height())});
    xcb_set_clip_rectangles(c_, XCB_CLIP_ORDERING_YX_BANDED, gc_, 0, 0, static_cast<uint32_t>(clip_.size()),
                            clip_.data());
    // Whole rows: the server then writes straight from our memory without a temporary.
    xcb_shm_put_image(c_, window_, gc_, static_cast<uint16_t>(width_), static_cast<uint16_t>(height_), 0,
                      static_cast<uint16_t>(top), static_cast<uint16_t>(width_), static_cast<uint16_t>(bottom - top), 0,
                      static_cast<int16_t>(top), depth_, XCB_IMAGE_FORMAT_Z_PIXMAP, 0, segment_, 0);
    Sync(c_);
}
