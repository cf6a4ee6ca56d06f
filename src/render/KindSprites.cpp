#include "KindSprites.h"

#include "FlightRecords.h"
#include "SpriteGeometry.h"

#include <algorithm>
#include <atomic>
#include <thread>
#include <utility>
#include <vector>

uint32_t ColourKeyOf(int kind, const Surface& picture)
{
    if (kind == 0 || picture.Width() == 0 || picture.Height() == 0)
        return 0;
    return picture.Pixel(0, 0) & 0x00FFFFFFu;
}

namespace {

constexpr int LargestScaleMadeAhead = 5;
constexpr int LargestScale = 10;

// Every size the geometry gives heading d at scales first..last. With halves rounded to
// even the size depends on the parity of the reference point, so all four parities are asked.
std::vector<DrawnSize> DrawnSizes(int d, int cellSize, int first, int last)
{
    std::vector<DrawnSize> sizes;
    for (int scale = first; scale <= last; ++scale) {
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

struct KindSprites::Making {
    std::array<HeadingPicture, HeadingCount> Headings;
    // Every (heading, size made ahead) pair, taken in turn by the helpers: a heading at a
    // time, its smallest sizes first, so that a heading's picture is let go before the
    // pictures of the ones after it are read.
    std::vector<std::pair<int, int>> Order;
    int Frames = 0;  // since the large sizes were last looked at
    std::atomic<size_t> Next{0};
    std::atomic<bool> Stop{false};
    std::vector<std::thread> Helpers;

    void MakeInTurn()
    {
        for (size_t k = Next++; k < Order.size() && !Stop; k = Next++)
            Headings[static_cast<size_t>(Order[k].first)].Make(Order[k].second);
    }

    void StartHelpers()
    {
        for (int d = 0; d < HeadingCount; ++d)
            for (int i = 0; i < Headings[static_cast<size_t>(d)].AheadCount(); ++i)
                Order.emplace_back(d, i);
        // No more threads than cores, so the memory in use at once stays that of a few sizes.
        const int threads = std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, HeadingCount);
        for (int t = 0; t < threads; ++t)
            Helpers.emplace_back([this] { MakeInTurn(); });
    }

    ~Making()
    {
        Stop = true;
        for (std::thread& helper : Helpers)
            helper.join();
    }
};

KindSprites::KindSprites() = default;
KindSprites::KindSprites(KindSprites&&) noexcept = default;
KindSprites& KindSprites::operator=(KindSprites&&) noexcept = default;
KindSprites::~KindSprites() = default;

void KindSprites::Start(int kind, HeadingReader read, int cellSize)
{
    auto making = std::make_unique<Making>();
    auto shared = std::make_shared<const HeadingReader>(std::move(read));
    for (int d = 0; d < HeadingCount; ++d) {
        auto readKeyed = [shared, kind, d, cellSize] {
            Surface picture = SurfaceFromPicture((*shared)(d), cellSize, cellSize);
            picture.SetColorKey(ColourKeyOf(kind, picture));
            return picture;
        };
        making->Headings[static_cast<size_t>(d)] =
            HeadingPicture(cellSize, readKeyed, DrawnSizes(d, cellSize, 1, LargestScaleMadeAhead),
                           DrawnSizes(d, cellSize, LargestScaleMadeAhead + 1, LargestScale));
    }
    making_ = std::move(making);
}

void KindSprites::MakeTheRestInTheBackground()
{
    if (making_ && making_->Order.empty())
        making_->StartHelpers();
}

void KindSprites::Load(int kind, HeadingReader read, int cellSize)
{
    Start(kind, std::move(read), cellSize);
    MakeTheRestInTheBackground();
    for (std::thread& helper : making_->Helpers)
        helper.join();
    making_->Helpers.clear();
}

void KindSprites::Load(int kind, std::array<Surface, HeadingCount> pictures, int cellSize)
{
    auto kept = std::make_shared<const std::array<Surface, HeadingCount>>(std::move(pictures));
    Load(kind, [kept](int d) { return (*kept)[static_cast<size_t>(d)]; }, cellSize);
}

const HeadingPicture& KindSprites::Heading(int d) const
{
    static const HeadingPicture none;
    return making_ ? making_->Headings[static_cast<size_t>(d)] : none;
}

void KindSprites::EndFrame()
{
    if (!making_ || ++making_->Frames < FramesBetweenGiveBacks)
        return;
    making_->Frames = 0;
    for (HeadingPicture& heading : making_->Headings)
        heading.GiveBackUndrawn();
}
