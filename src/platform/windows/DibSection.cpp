#include "DibSection.h"

#include <cstring>

DibSection::DibSection(int width, int height) : width_(width), height_(height)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows, as a surface has them
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    dc_ = CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (dc_ && bitmap_) {
        previous_ = SelectObject(dc_, bitmap_);
        bits_ = static_cast<uint32_t*>(bits);
    }
}

DibSection::~DibSection()
{
    if (previous_)
        SelectObject(dc_, previous_);
    if (bitmap_)
        DeleteObject(bitmap_);
    if (dc_)
        DeleteDC(dc_);
}

void DibSection::CopyFrom(const Surface& surface, const Rect& r)
{
    const size_t bytes = static_cast<size_t>(r.Width()) * sizeof(uint32_t);
    for (int y = r.Top; y < r.Bottom; ++y)
        std::memcpy(Row(y) + r.Left, surface.Row(y) + r.Left, bytes);
}

Surface DibSection::ToSurface() const
{
    Surface surface(width_, height_);
    for (int y = 0; y < height_; ++y) {
        const uint32_t* from = bits_ + static_cast<size_t>(y) * width_;
        uint32_t* to = surface.Row(y);
        // GDI leaves the fourth byte undefined.
        for (int x = 0; x < width_; ++x)
            to[x] = from[x] | 0xFF000000u;
    }
    return surface;
}
