#pragma once

#include "Surface.h"

#include <windows.h>

// A 32-bit top-down device-independent bitmap selected into a memory device context:
// what GDI draws from and into. Its pixels are laid out as a Surface's.
class DibSection {
public:
    DibSection(int width, int height);
    DibSection(const DibSection&) = delete;
    DibSection& operator=(const DibSection&) = delete;
    ~DibSection();

    // False when Windows could not make the bitmap.
    bool Valid() const { return bits_ != nullptr; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    HDC Dc() const { return dc_; }
    uint32_t* Row(int y) { return bits_ + static_cast<size_t>(y) * width_; }

    // Copies the part r of the same-sized surface into the bitmap.
    void CopyFrom(const Surface& surface, const Rect& r);
    // The bitmap's pixels as a surface, every pixel opaque.
    Surface ToSurface() const;

private:
    int width_;
    int height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    uint32_t* bits_ = nullptr;
};
