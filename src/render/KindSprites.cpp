#include "KindSprites.h"

#include "FlightRecords.h"
#include "SpriteGeometry.h"

#include <algorithm>
#include <thread>
#include <vector>

uint32_t ColourKeyOf(int kind, const Surface& picture)
{
    if (kind == 0 || picture.Width() == 0 || picture.Height() == 0)
        return 0;
    return picture.Pixel(0, 0) & 0x00FFFFFFu;
}

namespace {

constexpr int LargestScale = 10;

// Every size the geometry gives heading d at scales 1..10. With halves rounded to even
// the size depends on the parity of the reference point, so all four parities are asked.
std::vector<DrawnSize> DrawnSizes(int d, int cellSize)
{
    std::vector<DrawnSize> sizes;
    for (int scale = 1; scale <= LargestScale; ++scale) {
        for (int parity = 0; parity < 4; ++parity) {
            PlaneState plane;
            plane.Dir = static_cast<int16_t>(d);
            plane.Scale = static_cast<int16_t>(scale);
            plane.X = static_cast<int16_t>(1000 + (parity & 1));
            plane.Y = static_cast<int16_t>(1000 + (parity >> 1));
            const SpriteRects rects = SpriteGeometry(plane, cellSize, 4000, 4000);
            sizes.push_back({rects.DrawnWidth, rects.DrawnHeight});
        }
    }
    return sizes;
}

}  // namespace

void KindSprites::Load(int kind, const std::array<Surface, HeadingCount>& pictures, int cellSize)
{
    // Making the shrunk copies is most of the show's start-up (and of a kind change), and
    // the eight headings are independent: they are shared out over one thread per core.
    // No more threads than cores, so the memory in use at once stays that of a few.
    const int threads = std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, HeadingCount);
    auto makeEvery = [&](int first) {
        for (int d = first; d < HeadingCount; d += threads) {
            Surface picture = SurfaceFromPicture(pictures[static_cast<size_t>(d)], cellSize, cellSize);
            picture.SetColorKey(ColourKeyOf(kind, picture));
            headings_[static_cast<size_t>(d)] = HeadingPicture(picture, DrawnSizes(d, cellSize));
        }
    };
    std::vector<std::thread> helpers;
    for (int t = 1; t < threads; ++t)
        helpers.emplace_back(makeEvery, t);
    makeEvery(0);
    for (std::thread& helper : helpers)
        helper.join();
    loaded_ = true;
}
