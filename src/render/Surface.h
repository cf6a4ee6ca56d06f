#pragma once

#include "PixelOps.h"
#include "Rect.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// A 32-bit picture in memory: premultiplied ARGB pixels (see PixelOps.h), rows top to
// bottom with no padding. The frame, the background, the smoke pictures and the
// aircraft pictures are all surfaces, and a platform hands decoded pictures over as
// surfaces too. Pictures read from files are made opaque; a colour key turns the
// pixels of one colour fully transparent.
class Surface {
public:
    Surface() = default;
    Surface(int width, int height, uint32_t fill = OpaqueBlack);
    // Over width x height pixels the caller owns and keeps for the surface's life, such
    // as memory a display server reads the frame from. A copy owns its pixels.
    struct Lent {
        uint32_t* Pixels;
    };
    Surface(int width, int height, Lent lent);
    Surface(const Surface& other);
    Surface& operator=(const Surface& other);
    Surface(Surface&& other) noexcept;
    Surface& operator=(Surface&& other) noexcept;
    ~Surface() = default;

    int Width() const { return width_; }
    int Height() const { return height_; }
    uint32_t* Row(int y) { return data_ + static_cast<size_t>(y) * width_; }
    const uint32_t* Row(int y) const { return data_ + static_cast<size_t>(y) * width_; }
    uint32_t Pixel(int x, int y) const { return Row(y)[x]; }

    // Unkeyed, unstretched copy of the source's top-left corner onto ours (the whole
    // surface when both have the same size).
    void CopyFrom(const Surface& source);

    // Every pixel whose colour is rgb (0xRRGGBB, alpha ignored) becomes transparent;
    // every other pixel stays as it is. Used once on a picture read from a file.
    void SetColorKey(uint32_t rgb);

    // Draws sourceRect of source stretched or shrunk onto destination, each destination
    // pixel taking the source pixel under its centre, transparent source pixels leaving
    // ours untouched. Refused as a whole, drawing nothing and returning false, when
    // either rectangle is empty or inverted or does not lie within its surface.
    bool BlitKeyed(const Rect& destination, const Surface& source, const Rect& sourceRect);

private:
    size_t Count() const { return static_cast<size_t>(width_) * height_; }

    int width_ = 0;
    int height_ = 0;
    std::vector<uint32_t> pixels_;  // empty when the pixels are lent
    uint32_t* data_ = nullptr;      // pixels_.data() or the lent pixels
};

// A width x height surface holding the top-left width x height pixels of a decoded
// picture, opaque (transparency in the picture is taken as drawn over black); where the
// picture is smaller the rest is black.
Surface SurfaceFromPicture(const Surface& picture, int width, int height);
