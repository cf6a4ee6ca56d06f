#include "ShmBuffer.h"

#include <wayland-client-protocol.h>

#include <sys/mman.h>
#include <unistd.h>

namespace {

size_t ByteSize(int width, int height)
{
    return static_cast<size_t>(width) * height * 4;
}

}  // namespace

std::unique_ptr<ShmBuffer> ShmBuffer::Create(wl_shm* shm, int width, int height, uint32_t format)
{
    if (width <= 0 || height <= 0)
        return nullptr;
    const size_t size = ByteSize(width, height);
    const int fd = memfd_create("kestrova-frame", MFD_CLOEXEC);
    if (fd < 0)
        return nullptr;
    void* memory = MAP_FAILED;
    if (ftruncate(fd, static_cast<off_t>(size)) == 0)
        memory = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (memory == MAP_FAILED) {
        close(fd);
        return nullptr;
    }
    wl_shm_pool* pool = wl_shm_create_pool(shm, fd, static_cast<int32_t>(size));
    wl_buffer* buffer = wl_shm_pool_create_buffer(pool, 0, width, height, width * 4, format);
    wl_shm_pool_destroy(pool);
    close(fd);
    return std::unique_ptr<ShmBuffer>(new ShmBuffer(width, height, static_cast<uint32_t*>(memory), buffer));
}

ShmBuffer::ShmBuffer(int width, int height, uint32_t* pixels, wl_buffer* buffer)
    : width_(width), height_(height), pixels_(pixels), buffer_(buffer)
{
    static const wl_buffer_listener listener{[](void* data, wl_buffer*) { static_cast<ShmBuffer*>(data)->busy_ = false; }};
    wl_buffer_add_listener(buffer_, &listener, this);
}

ShmBuffer::~ShmBuffer()
{
    wl_buffer_destroy(buffer_);
    munmap(pixels_, ByteSize(width_, height_));
}
