#include "HeadingPicture.h"

#include "Resample.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

HeadingPicture::HeadingPicture(const Surface& keyed, const std::vector<DrawnSize>& sizes)
    : edge_(keyed.Width())
{
    // The last row and column of the picture are never drawn.
    const Rect source{0, 0, edge_ - 1, edge_ - 1};
    for (const DrawnSize& size : sizes) {
        const Rendition* made = Nearest(size.Width, size.Height);
        const bool alreadyMade =
            made != nullptr && made->Pixels.Width() == size.Width && made->Pixels.Height() == size.Height;
        if (size.Width <= 0 || size.Height <= 0 || alreadyMade)
            continue;
        Rendition r;
        r.Pixels = Resample(keyed, source, size.Width, size.Height);
        r.SpanStart.resize(static_cast<size_t>(size.Height));
        r.SpanEnd.resize(static_cast<size_t>(size.Height));
        for (int y = 0; y < size.Height; ++y) {
            const uint32_t* row = r.Pixels.Row(y);
            int first = 0;
            int end = size.Width;
            while (first < end && AlphaOf(row[first]) == 0)
                ++first;
            while (end > first && AlphaOf(row[end - 1]) == 0)
                --end;
            r.SpanStart[static_cast<size_t>(y)] = static_cast<int16_t>(first);
            r.SpanEnd[static_cast<size_t>(y)] = static_cast<int16_t>(end);
        }
        renditions_.push_back(std::move(r));
    }
}

const HeadingPicture::Rendition* HeadingPicture::Nearest(int width, int height) const
{
    const Rendition* best = nullptr;
    int bestDistance = std::numeric_limits<int>::max();
    for (const Rendition& r : renditions_) {
        const int distance = std::abs(r.Pixels.Width() - width) + std::abs(r.Pixels.Height() - height);
        if (distance < bestDistance) {
            best = &r;
            bestDistance = distance;
        }
    }
    return best;
}

namespace {

// Index in a rendition of n pixels (made from the picture's first m pixels) of the
// pixel under the centre of destination pixel i, when source pixels start..start+length
// are drawn across count destination pixels.
int MappedIndex(int i, int start, int length, int count, int m, int n)
{
    const int64_t numerator = (2 * int64_t(start) * count + (2 * int64_t(i) + 1) * length) * n;
    const int64_t denominator = 2 * int64_t(count) * m;
    return static_cast<int>(std::min<int64_t>(numerator / denominator, n - 1));
}

}  // namespace

bool HeadingPicture::Draw(Surface& target, const SpriteRects& rects, std::vector<int>& columns) const
{
    const Rect& to = rects.Destination;
    const Rect& from = rects.Source;
    if (to.IsEmpty() || !to.LiesWithin(target.Width(), target.Height()))
        return false;
    if (from.IsEmpty() || !from.LiesWithin(edge_, edge_))
        return false;
    const Rendition* r = Nearest(rects.DrawnWidth, rects.DrawnHeight);
    if (r == nullptr)
        return false;

    const int m = edge_ - 1;
    const int rw = r->Pixels.Width();
    const int rh = r->Pixels.Height();
    const int dw = to.Width();
    const int dh = to.Height();

    if (from == Rect{0, 0, m, m} && dw == rw && dh == rh) {
        for (int y = 0; y < dh; ++y) {
            const uint32_t* in = r->Pixels.Row(y);
            uint32_t* out = target.Row(to.Top + y) + to.Left;
            for (int x = r->SpanStart[static_cast<size_t>(y)]; x < r->SpanEnd[static_cast<size_t>(y)]; ++x)
                out[x] = SourceOver(in[x], out[x]);
        }
        return true;
    }

    columns.resize(std::max(columns.size(), static_cast<size_t>(dw)));
    for (int x = 0; x < dw; ++x)
        columns[static_cast<size_t>(x)] = MappedIndex(x, from.Left, from.Width(), dw, m, rw);
    for (int y = 0; y < dh; ++y) {
        const uint32_t* in = r->Pixels.Row(MappedIndex(y, from.Top, from.Height(), dh, m, rh));
        uint32_t* out = target.Row(to.Top + y) + to.Left;
        for (int x = 0; x < dw; ++x)
            out[x] = SourceOver(in[columns[static_cast<size_t>(x)]], out[x]);
    }
    return true;
}
