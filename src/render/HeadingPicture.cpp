#include "HeadingPicture.h"

#include "Resample.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <utility>

HeadingPicture::HeadingPicture(Surface keyed, const std::vector<DrawnSize>& sizes)
    : HeadingPicture(keyed.Width(), [keyed] { return keyed; }, sizes, {})
{
}

HeadingPicture::HeadingPicture(int edge, std::function<Surface()> readKeyed, const std::vector<DrawnSize>& ahead,
                               const std::vector<DrawnSize>& large)
    : edge_(edge), source_(std::make_unique<Source>())
{
    source_->ReadKeyed = std::move(readKeyed);
    // A large size that is also made ahead is made ahead.
    const auto add = [this](const std::vector<DrawnSize>& sizes) {
        for (const DrawnSize& size : sizes) {
            const bool listed = std::any_of(sizes_.begin(), sizes_.end(), [&size](const DrawnSize& s) {
                return s.Width == size.Width && s.Height == size.Height;
            });
            if (size.Width > 0 && size.Height > 0 && !listed)
                sizes_.push_back(size);
        }
    };
    add(ahead);
    aheadCount_ = static_cast<int>(sizes_.size());
    add(large);
    source_->AheadLeft = aheadCount_;
    slots_ = std::make_unique<Slot[]>(static_cast<size_t>(aheadCount_));
    large_ = std::make_unique<LargeSlot[]>(sizes_.size() - static_cast<size_t>(aheadCount_));
}

void HeadingPicture::Make(int i) const
{
    Slot& slot = slots_[static_cast<size_t>(i)];
    int expected = Waiting;
    if (!slot.State.compare_exchange_strong(expected, Making))
        return;
    slot.Made = Resized(i);
    slot.State.store(Made, std::memory_order_release);
    slot.State.notify_all();
    // Once the last size ahead is made, only a large size needs the picture: it reads it again.
    std::lock_guard<std::mutex> lock(source_->Lock);
    if (--source_->AheadLeft == 0)
        source_->Keyed.reset();
}

std::shared_ptr<const Surface> HeadingPicture::Keyed() const
{
    std::lock_guard<std::mutex> lock(source_->Lock);
    if (source_->Keyed)
        return source_->Keyed;
    auto keyed = std::make_shared<const Surface>(source_->ReadKeyed());
    // Kept for the sizes still to be made ahead, not for a large one made after them.
    if (source_->AheadLeft > 0)
        source_->Keyed = keyed;
    return keyed;
}

HeadingPicture::Rendition HeadingPicture::Resized(int i) const
{
    // The last row and column of the picture are never drawn.
    const Rect source{0, 0, edge_ - 1, edge_ - 1};
    const DrawnSize& size = sizes_[static_cast<size_t>(i)];
    return Prepared(Resample(*Keyed(), source, size.Width, size.Height));
}

const HeadingPicture::Rendition& HeadingPicture::Ready(int i) const
{
    if (i >= aheadCount_) {
        LargeSlot& slot = large_[static_cast<size_t>(i - aheadCount_)];
        if (!slot.Made)
            slot.Made = Resized(i);
        slot.Drawn = true;
        return *slot.Made;
    }
    Slot& slot = slots_[static_cast<size_t>(i)];
    Make(i);
    for (int state = slot.State.load(std::memory_order_acquire); state != Made;
         state = slot.State.load(std::memory_order_acquire))
        slot.State.wait(state, std::memory_order_acquire);
    return slot.Made;
}

void HeadingPicture::GiveBackUndrawn()
{
    for (size_t j = 0; j < sizes_.size() - static_cast<size_t>(aheadCount_); ++j) {
        LargeSlot& slot = large_[j];
        if (!slot.Drawn)
            slot.Made.reset();
        slot.Drawn = false;
    }
}

HeadingPicture::Rendition HeadingPicture::Prepared(Surface pixels)
{
    Rendition r;
    r.Width = pixels.Width();
    r.Height = pixels.Height();
    for (int y = 0; y < r.Height; ++y) {
        r.RowStart.push_back(static_cast<uint32_t>(r.Runs.size()));
        const uint32_t* row = pixels.Row(y);
        int x = 0;
        while (x < r.Width) {
            const uint32_t a = AlphaOf(row[x]);
            if (a == 0) {
                ++x;
                continue;
            }
            const bool opaque = a == 255;
            const int start = x;
            while (x < r.Width && AlphaOf(row[x]) != 0 && (AlphaOf(row[x]) == 255) == opaque)
                ++x;
            r.Runs.push_back({static_cast<int16_t>(start), static_cast<int16_t>(x - start), opaque});
        }
    }
    r.RowStart.push_back(static_cast<uint32_t>(r.Runs.size()));

    size_t kept = 0;
    for (int y = 0; y < r.Height; ++y) {
        const uint32_t first = r.RowStart[static_cast<size_t>(y)], end = r.RowStart[static_cast<size_t>(y) + 1];
        if (first < end)
            kept += static_cast<size_t>(r.Runs[end - 1].Start + r.Runs[end - 1].Length - r.Runs[first].Start);
    }
    r.Pixels.reserve(kept);
    for (int y = 0; y < r.Height; ++y) {
        r.PixelStart.push_back(static_cast<uint32_t>(r.Pixels.size()));
        const uint32_t first = r.RowStart[static_cast<size_t>(y)], end = r.RowStart[static_cast<size_t>(y) + 1];
        if (first < end)
            r.Pixels.insert(r.Pixels.end(), pixels.Row(y) + r.Runs[first].Start,
                            pixels.Row(y) + r.Runs[end - 1].Start + r.Runs[end - 1].Length);
    }
    return r;
}

// Index of the size nearest to width x height, the first of equals; -1 when there is none.
int HeadingPicture::Nearest(int width, int height) const
{
    int best = -1;
    int bestDistance = std::numeric_limits<int>::max();
    for (size_t i = 0; i < sizes_.size(); ++i) {
        const int distance = std::abs(sizes_[i].Width - width) + std::abs(sizes_[i].Height - height);
        if (distance < bestDistance) {
            best = static_cast<int>(i);
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
    for (const DrawnSize& size : sizes_)
        widest = std::max(widest, size.Width);
    return widest;
}

namespace {

// Collects the leftmost and rightmost pixel drawn in the rows of each row of tiles and
// marks the tiles between them once the row of tiles is done.
class RowsOfTiles {
public:
    RowsOfTiles(TileMask* mask, const Rect& to) : mask_(mask), to_(to), bandTop_(to.Top) {}

    // Row y of the destination (from its top) drew from column left up to right.
    void Drew(int y, int left, int right)
    {
        if (mask_ == nullptr)
            return;
        if (left < right) {
            left_ = std::min(left_, left);
            right_ = std::max(right_, right);
        }
        const int bottom = to_.Top + y + 1;
        if (bottom % mask_->Tile() != 0 && bottom != to_.Bottom)
            return;
        if (left_ < right_)
            mask_->Mark(Rect{to_.Left + left_, bandTop_, to_.Left + right_, bottom});
        bandTop_ = bottom;
        left_ = std::numeric_limits<int>::max();
        right_ = std::numeric_limits<int>::min();
    }

private:
    TileMask* mask_;
    Rect to_;
    int bandTop_;
    int left_ = std::numeric_limits<int>::max();
    int right_ = std::numeric_limits<int>::min();
};

template <typename T>
void Ensure(std::vector<T>& v, size_t size)
{
    if (v.size() < size)
        v.resize(size);
}

}  // namespace

bool HeadingPicture::Draw(Surface& target, const SpriteRects& rects, DrawScratch& scratch, TileMask* drawn) const
{
    const Rect& to = rects.Destination;
    const Rect& from = rects.Source;
    if (to.IsEmpty() || !to.LiesWithin(target.Width(), target.Height()))
        return false;
    if (from.IsEmpty() || !from.LiesWithin(edge_, edge_))
        return false;
    const int nearest = Nearest(rects.DrawnWidth, rects.DrawnHeight);
    if (nearest < 0)
        return false;
    const Rendition* r = &Ready(nearest);

    const int m = edge_ - 1;
    const int rw = r->Width;
    const int rh = r->Height;
    const int dw = to.Width();
    const int dh = to.Height();
    RowsOfTiles marked(drawn, to);

    if (from == Rect{0, 0, m, m} && dw == rw && dh == rh) {
        for (int y = 0; y < dh; ++y) {
            uint32_t* out = target.Row(to.Top + y) + to.Left;
            const uint32_t firstRun = r->RowStart[static_cast<size_t>(y)], endRun = r->RowStart[static_cast<size_t>(y) + 1];
            if (firstRun == endRun) {
                marked.Drew(y, 0, 0);
                continue;
            }
            marked.Drew(y, r->Runs[firstRun].Start, r->Runs[endRun - 1].Start + r->Runs[endRun - 1].Length);
            // Pixel x of the row is in[x - left].
            const uint32_t* in = r->Pixels.data() + r->PixelStart[static_cast<size_t>(y)];
            const int left = r->Runs[firstRun].Start;
            for (uint32_t k = firstRun; k < endRun; ++k) {
                const Run& run = r->Runs[k];
                if (run.Opaque) {
                    std::memcpy(out + run.Start, in + (run.Start - left), static_cast<size_t>(run.Length) * sizeof(uint32_t));
                    continue;
                }
                for (int x = run.Start; x < run.Start + run.Length; ++x)
                    out[x] = SourceOver(in[x - left], out[x]);
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
        uint32_t* out = target.Row(to.Top + y) + to.Left;
        const uint32_t firstRun = r->RowStart[static_cast<size_t>(row)], endRun = r->RowStart[static_cast<size_t>(row) + 1];
        if (firstRun == endRun) {
            marked.Drew(y, 0, 0);
            continue;
        }
        marked.Drew(y, first[r->Runs[firstRun].Start], first[r->Runs[endRun - 1].Start + r->Runs[endRun - 1].Length]);
        const uint32_t* in = r->Pixels.data() + r->PixelStart[static_cast<size_t>(row)];
        const int left = r->Runs[firstRun].Start;
        for (uint32_t k = firstRun; k < endRun; ++k) {
            const Run& run = r->Runs[k];
            const int end = first[run.Start + run.Length];
            if (run.Opaque) {
                for (int x = first[run.Start]; x < end; ++x)
                    out[x] = in[columns[x] - left];
            } else {
                for (int x = first[run.Start]; x < end; ++x)
                    out[x] = SourceOver(in[columns[x] - left], out[x]);
            }
        }
    }
    return true;
}
