#include "HeadingPicture.h"

#include "Resample.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <utility>

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
        renditions_.push_back(Prepared(Resample(keyed, source, size.Width, size.Height)));
    }
}

HeadingPicture::Rendition HeadingPicture::Prepared(Surface pixels)
{
    Rendition r;
    r.Pixels = std::move(pixels);
    const int width = r.Pixels.Width();
    for (int y = 0; y < r.Pixels.Height(); ++y) {
        r.RowStart.push_back(static_cast<uint32_t>(r.Runs.size()));
        const uint32_t* row = r.Pixels.Row(y);
        int x = 0;
        while (x < width) {
            const uint32_t a = AlphaOf(row[x]);
            if (a == 0) {
                ++x;
                continue;
            }
            const bool opaque = a == 255;
            const int start = x;
            while (x < width && AlphaOf(row[x]) != 0 && (AlphaOf(row[x]) == 255) == opaque)
                ++x;
            r.Runs.push_back({static_cast<int16_t>(start), static_cast<int16_t>(x - start), opaque});
        }
    }
    r.RowStart.push_back(static_cast<uint32_t>(r.Runs.size()));
    return r;
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

int HeadingPicture::WidestSize() const
{
    int widest = 0;
    for (const Rendition& r : renditions_)
        widest = std::max(widest, r.Pixels.Width());
    return widest;
}

namespace {

template <typename T>
void Ensure(std::vector<T>& v, size_t size)
{
    if (v.size() < size)
        v.resize(size);
}

}  // namespace

bool HeadingPicture::Draw(Surface& target, const SpriteRects& rects, DrawScratch& scratch) const
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
            for (uint32_t k = r->RowStart[static_cast<size_t>(y)]; k < r->RowStart[static_cast<size_t>(y) + 1]; ++k) {
                const Run& run = r->Runs[k];
                if (run.Opaque) {
                    std::memcpy(out + run.Start, in + run.Start, static_cast<size_t>(run.Length) * sizeof(uint32_t));
                    continue;
                }
                for (int x = run.Start; x < run.Start + run.Length; ++x)
                    out[x] = SourceOver(in[x], out[x]);
            }
        }
        return true;
    }

    // Cut or drawn at another size: each destination pixel takes the ready-made pixel
    // under its centre. The mapping only grows, so a run of the ready-made row lands on
    // one stretch of destination columns.
    Ensure(scratch.Columns, static_cast<size_t>(dw));
    Ensure(scratch.FirstColumn, static_cast<size_t>(rw) + 1);
    int* columns = scratch.Columns.data();
    int* first = scratch.FirstColumn.data();
    for (int x = 0; x < dw; ++x)
        columns[x] = MappedIndex(x, from.Left, from.Width(), dw, m, rw);
    for (int c = 0, x = 0; c <= rw; ++c) {
        while (x < dw && columns[x] < c)
            ++x;
        first[c] = x;
    }
    for (int y = 0; y < dh; ++y) {
        const int row = MappedIndex(y, from.Top, from.Height(), dh, m, rh);
        const uint32_t* in = r->Pixels.Row(row);
        uint32_t* out = target.Row(to.Top + y) + to.Left;
        for (uint32_t k = r->RowStart[static_cast<size_t>(row)]; k < r->RowStart[static_cast<size_t>(row) + 1]; ++k) {
            const Run& run = r->Runs[k];
            const int end = first[run.Start + run.Length];
            if (run.Opaque) {
                for (int x = first[run.Start]; x < end; ++x)
                    out[x] = in[columns[x]];
            } else {
                for (int x = first[run.Start]; x < end; ++x)
                    out[x] = SourceOver(in[columns[x]], out[x]);
            }
        }
    }
    return true;
}
