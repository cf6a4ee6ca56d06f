#pragma once

#include <QRect>

#include <xcb/shm.h>
#include <xcb/xcb.h>

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

// A frame the X server reads straight from memory it shares with us: the show composes
// into Pixels(), and Put sends only the changed parts, as one request clipped to them.
// That spares copying every frame into a backing store and the server one request per
// changed rectangle.
class SharedFrame {
public:
    // nullptr when the server cannot share memory with us or the window's pixels are not
    // 32-bit xRGB in our byte order.
    static std::unique_ptr<SharedFrame> Create(xcb_connection_t* c, xcb_window_t window, int width, int height);
    ~SharedFrame();
    SharedFrame(const SharedFrame&) = delete;
    SharedFrame& operator=(const SharedFrame&) = delete;

    int Width() const { return width_; }
    int Height() const { return height_; }
    uint32_t* Pixels() const { return pixels_; }

    // Shows `parts` of the frame at the window's top left, and returns once the server
    // has read them, so the next frame may be composed over them. The parts lie inside
    // the frame and are y-x banded: bands top to bottom, each band's parts left to right,
    // not overlapping. The server takes them as its clip as they are, so hundreds of
    // small parts cost it little more than their pixels.
    void Put(std::span<const QRect> parts);

private:
    SharedFrame(xcb_connection_t* c, xcb_window_t window, int width, int height, uint8_t depth);

    xcb_connection_t* c_;
    xcb_window_t window_;
    int width_;
    int height_;
    uint8_t depth_;
    xcb_gcontext_t gc_ = 0;
    xcb_shm_seg_t segment_ = 0;
    uint32_t* pixels_ = nullptr;
    std::vector<xcb_rectangle_t> clip_;
};
