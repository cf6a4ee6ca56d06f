#include "Surface.h"

#include <algorithm>
#include <cstring>
#include <span>
#include <utility>

Surface::Surface(int width, int height, uint32_t fill)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pixels_(static_cast<size_t>(width_) * height_, fill),
      data_(pixels_.data())
{
}

Surface::Surface(int width, int height, Lent lent)
    : width_(std::max(width, 0)), height_(std::max(height, 0)), data_(lent.Pixels)
{
}

Surface::Surface(const Surface& other)
    : width_(other.width_), height_(other.height_), pixels_(other.data_, other.data_ + other.Count()),
      data_(pixels_.data())
{
}

Surface& Surface::operator=(const Surface& other)
{
    if (this != &other) {
        pixels_.assign(other.data_, other.data_ + other.Count());
        width_ = other.width_;
        height_ = other.height_;
        data_ = pixels_.data();
    }
    return *this;
}

Surface::Surface(Surface&& other) noexcept
    : width_(std::exchange(other.width_, 0)),
      height_(std::exchange(other.height_, 0)),
      pixels_(std::move(other.pixels_)),
      data_(std::exchange(other.data_, nullptr))
{
}

Surface& Surface::operator=(Surface&& other) noexcept
{
    if (this != &other) {
        width_ = std::exchange(other.width_, 0);
        height_ = std::exchange(other.height_, 0);
        pixels_ = std::move(other.pixels_);
        other.pixels_.clear();
        data_ = std::exchange(other.data_, nullptr);
    }
    return *this;
}

void Surface::CopyFrom(const Surface& source)
{
    if (source.width_ == width_ && source.height_ == height_) {
        std::memcpy(data_, source.data_, Count() * sizeof(uint32_t));
        return;
    }
    const int w = std::min(width_, source.width_);
    const int h = std::min(height_, source.height_);
    for (int y = 0; y < h; ++y)
        std::memcpy(Row(y), source.Row(y), static_cast<size_t>(w) * sizeof(uint32_t));
}

void Surface::SetColorKey(uint32_t rgb)
{
    const uint32_t key = rgb & 0x00FFFFFFu;
    for (uint32_t& p : std::span<uint32_t>(data_, Count())) {
        if ((p & 0x00FFFFFFu) == key)
            p = 0;
    }
}

namespace {

// Nearest sampling along one axis without a division per pixel: destination pixel i of
// n takes source pixel floor((2i + 1) * m / (2n)), stepped exactly as a quotient and a
// remainder.
struct NearestStep {
    NearestStep(int m, int n)
        : Denominator(2 * static_cast<int64_t>(n)),
          Whole(static_cast<int>((2 * static_cast<int64_t>(m)) / Denominator)),
          Part((2 * static_cast<int64_t>(m)) % Denominator),
          Index(static_cast<int>(m / Denominator)),
          Remainder(m % Denominator)
    {
    }
    void Next()
    {
        Index += Whole;
        Remainder += Part;
        if (Remainder >= Denominator) {
            Remainder -= Denominator;
            ++Index;
        }
    }
    int64_t Denominator;
    int Whole;
    int64_t Part;
    int Index;
    int64_t Remainder;
};

}  // namespace

bool Surface::BlitKeyed(const Rect& destination, const Surface& source, const Rect& sourceRect)
{
    if (destination.IsEmpty() || !destination.LiesWithin(width_, height_))
        return false;
    if (sourceRect.IsEmpty() || !sourceRect.LiesWithin(source.width_, source.height_))
        return false;

    const int w = destination.Width();
    const NearestStep columnStart(sourceRect.Width(), w);
    NearestStep row(sourceRect.Height(), destination.Height());
    for (int y = destination.Top; y < destination.Bottom; ++y, row.Next()) {
        const uint32_t* from = source.Row(sourceRect.Top + row.Index) + sourceRect.Left;
        uint32_t* to = Row(y) + destination.Left;
        NearestStep column = columnStart;
        for (int x = 0; x < w; ++x, column.Next())
            to[x] = SourceOver(from[column.Index], to[x]);
    }
    return true;
}

Surface SurfaceFromPicture(const Surface& picture, int width, int height)
{
    Surface surface(width, height, OpaqueBlack);
    const int w = std::min(width, picture.Width());
    const int h = std::min(height, picture.Height());
    for (int y = 0; y < h; ++y) {
        const uint32_t* from = picture.Row(y);
        uint32_t* to = surface.Row(y);
        for (int x = 0; x < w; ++x)
            to[x] = from[x] | OpaqueBlack;
    }
    return surface;
}
