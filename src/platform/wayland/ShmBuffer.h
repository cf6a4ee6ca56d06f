#pragma once

#include "FrameMemory.h"

#include <cstdint>
#include <memory>

struct wl_buffer;
struct wl_shm;

// One frame's memory shared with the compositor: width x height 32-bit pixels (XRGB
// unless told otherwise), rows without padding. Busy from the commit that shows it until the compositor releases it;
// only then may it be drawn into again.
class ShmBuffer {
public:
    // Null when the memory cannot be made or shared.
    static std::unique_ptr<ShmBuffer> Create(wl_shm* shm, int width, int height, uint32_t format = 1 /* XRGB8888 */);
    ~ShmBuffer();
    ShmBuffer(const ShmBuffer&) = delete;
    ShmBuffer& operator=(const ShmBuffer&) = delete;

    uint32_t* Pixels() const { return pixels_; }
    wl_buffer* Buffer() const { return buffer_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

    bool Busy() const { return busy_; }
    void MarkBusy() { busy_ = true; }

    // What the frame last composed into these pixels drew.
    FrameMemory Memory;

private:
    ShmBuffer(int width, int height, uint32_t* pixels, wl_buffer* buffer);

    int width_;
    int height_;
    uint32_t* pixels_;
    wl_buffer* buffer_;
    bool busy_ = false;
};
