#include "SmokePuffs.h"

#include <algorithm>
#include <utility>

namespace {

// Rows (and columns) of tiles a square of n pixels can reach, whatever its offset.
constexpr size_t ReachRows(int n)
{
    return static_cast<size_t>((n + 2 * SmokePuffs::ReachTileSize - 2) / SmokePuffs::ReachTileSize);
}

// Bit i set when byte i of bits is not zero: the tiles a row of 64 pixels holds dots in.
uint32_t NonZeroBytes(uint64_t bits)
{
    constexpr uint64_t Low7 = 0x7F7F7F7F7F7F7F7Full;
    const uint64_t high = (((bits & Low7) + Low7) | bits) & ~Low7;
    return static_cast<uint32_t>(((high >> 7) * 0x0102040810204080ull) >> 56);
}

}  // namespace

size_t SmokePuffs::Row(int k, int n, int r)
{
    // Each size has a start for each source row and one past the last.
    return (static_cast<size_t>(k) * LargestPrepared + static_cast<size_t>(n - 1)) * (SmokeCellSize + 1) +
           static_cast<size_t>(r);
}

void SmokePuffs::Load(std::array<Surface, SmokePictureCount> pictures)
{
    pictures_ = std::move(pictures);
    sampled_.assign(LargestPrepared + 1, {});
    firstAt_.assign(LargestPrepared + 1, {});
    for (int n = 1; n <= LargestPrepared; ++n) {
        std::vector<uint8_t>& at = sampled_[static_cast<size_t>(n)];
        at.resize(static_cast<size_t>(n));
        for (int i = 0; i < n; ++i)
            at[static_cast<size_t>(i)] = static_cast<uint8_t>((2 * i + 1) * SmokeCellSize / (2 * n));
        for (int c = 0, i = 0; c <= SmokeCellSize; ++c) {
            while (i < n && at[static_cast<size_t>(i)] < c)
                ++i;
            firstAt_[static_cast<size_t>(n)][static_cast<size_t>(c)] = static_cast<uint8_t>(i);
        }
    }

    for (int k = 0; k < SmokePictureCount; ++k) {
        const Surface& picture = pictures_[static_cast<size_t>(k)];
        const bool usable = picture.Width() == SmokeCellSize && picture.Height() == SmokeCellSize;
        bool& plain = plain_[static_cast<size_t>(k)];
        uint32_t& colour = dotColour_[static_cast<size_t>(k)];
        plain = true;
        colour = 0;
        for (int y = 0; y < picture.Height(); ++y) {
            for (int x = 0; x < picture.Width(); ++x) {
                const uint32_t p = picture.Pixel(x, y);
                if (AlphaOf(p) == 0)
                    continue;
                if (colour == 0)
                    colour = p;
                plain = plain && p == colour && AlphaOf(p) == 255;
            }
        }
        std::vector<uint8_t>& opaque = opaque_[static_cast<size_t>(k)];
        opaque.clear();
        for (int r = 0; r < SmokeCellSize; ++r) {
            opaqueStart_[static_cast<size_t>(k)][static_cast<size_t>(r)] = static_cast<uint16_t>(opaque.size());
            for (int c = 0; c < SmokeCellSize && usable; ++c)
                if (AlphaOf(picture.Row(r)[c]) != 0)
                    opaque.push_back(static_cast<uint8_t>(c));
        }
        opaqueStart_[static_cast<size_t>(k)][SmokeCellSize] = static_cast<uint16_t>(opaque.size());
    }

    // Left unset until a size is worked out: the memory of sizes never drawn is not touched.
    dotStart_.assign(Size(SmokePictureCount, 0) + 1, 0);
    for (int k = 0; k < SmokePictureCount; ++k)
        for (int n = 0; n <= LargestPrepared; ++n)
            dotStart_[Size(k, n) + 1] = dotStart_[Size(k, n)] + (n > 0 ? DotColumns(k, n, nullptr, nullptr) : 0);
    dotColumns_.reset(new uint8_t[dotStart_.back()]);
    rowStart_.reset(new uint32_t[Row(SmokePictureCount, 1, 0)]);
    reachStart_.assign(LargestPrepared + 2, 0);
    for (int n = 1; n <= LargestPrepared; ++n)
        reachStart_[static_cast<size_t>(n) + 1] =
            reachStart_[static_cast<size_t>(n)] + ReachTileSize * ReachTileSize * ReachRows(n);
    reach_.reset(new uint32_t[SmokePictureCount * reachStart_.back()]);
    ready_.assign(Size(SmokePictureCount, 0), 0);
    reachRows_.resize(LargestPrepared);
}

size_t SmokePuffs::DotColumns(int k, int n, uint8_t* dots, uint32_t* rowStart) const
{
    const std::array<uint8_t, SmokeCellSize + 1>& first = firstAt_[static_cast<size_t>(n)];
    const std::vector<uint8_t>& opaque = opaque_[static_cast<size_t>(k)];
    const std::array<uint16_t, SmokeCellSize + 1>& opaqueStart = opaqueStart_[static_cast<size_t>(k)];
    const size_t start = dotStart_[Size(k, n)];
    size_t count = 0;
    // Destination rows taking the same source row have the same dots: one list per
    // source row. A source row no destination row takes stays empty.
    for (int r = 0; r < SmokeCellSize; ++r) {
        if (rowStart != nullptr)
            rowStart[r] = static_cast<uint32_t>(start + count);
        if (first[static_cast<size_t>(r)] == first[static_cast<size_t>(r) + 1])
            continue;
        for (size_t o = opaqueStart[static_cast<size_t>(r)]; o < opaqueStart[static_cast<size_t>(r) + 1]; ++o) {
            const size_t c = opaque[o];
            for (int i = first[c]; i < first[c + 1]; ++i, ++count)
                if (dots != nullptr)
                    dots[count] = static_cast<uint8_t>(i);
        }
    }
    if (rowStart != nullptr)
        rowStart[SmokeCellSize] = static_cast<uint32_t>(start + count);
    return count;
}

void SmokePuffs::Prepare(int k, int n)
{
    DotColumns(k, n, dotColumns_.get() + dotStart_[Size(k, n)], rowStart_.get() + Row(k, n, 0));
    PrepareReach(k, n);
}

uint32_t* SmokePuffs::Reach(int k, int n, int offsetX, int offsetY)
{
    return reach_.get() + static_cast<size_t>(k) * reachStart_.back() + reachStart_[static_cast<size_t>(n)] +
           static_cast<size_t>(offsetY * ReachTileSize + offsetX) * ReachRows(n);
}

void SmokePuffs::PrepareReach(int k, int n)
{
    static_assert(ReachRows(LargestPrepared) <= 32, "a row of tiles is one 32-bit word");
    // The dots of each destination row as bits; the words that hold a column of the square.
    const int words = (n + ReachTileSize - 2) / 64 + 1;
    const uint8_t* at = sampled_[static_cast<size_t>(n)].data();
    for (int j = 0; j < n; ++j) {
        auto& bits = reachRows_[static_cast<size_t>(j)];
        bits.fill(0);
        const size_t row = Row(k, n, at[j]);
        for (uint32_t d = rowStart_[row]; d < rowStart_[row + 1]; ++d)
            bits[dotColumns_[d] / 64] |= uint64_t{1} << (dotColumns_[d] % 64);
    }
    for (int offsetY = 0; offsetY < ReachTileSize; ++offsetY) {
        for (size_t t = 0; t < ReachRows(n); ++t) {
            // The dots of the rows this row of tiles holds, together.
            ColumnBits band{};
            const int first = std::max(static_cast<int>(t) * ReachTileSize - offsetY, 0);
            const int last = std::min((static_cast<int>(t) + 1) * ReachTileSize - offsetY, n);
            for (int j = first; j < last; ++j)
                for (int w = 0; w < words; ++w)
                    band[static_cast<size_t>(w)] |= reachRows_[static_cast<size_t>(j)][static_cast<size_t>(w)];
            for (int offsetX = 0; offsetX < ReachTileSize; ++offsetX) {
                uint32_t tiles = 0;
                for (int w = 0; w < words; ++w) {
                    const uint64_t carried = w > 0 && offsetX > 0 ? band[static_cast<size_t>(w) - 1] >> (64 - offsetX) : 0;
                    tiles |= NonZeroBytes(band[static_cast<size_t>(w)] << offsetX | carried) << (8 * w);
                }
                Reach(k, n, offsetX, offsetY)[t] = tiles;
            }
        }
    }
}

bool SmokePuffs::Draw(Surface& target, int k, const Rect& square, TileMask& drawn)
{
    if (k < 0 || k >= SmokePictureCount)
        return false;
    const Surface& picture = pictures_[static_cast<size_t>(k)];
    const int n = square.Width();
    const bool prepared = n == square.Height() && n >= 1 && n <= LargestPrepared &&
                          picture.Width() == SmokeCellSize && picture.Height() == SmokeCellSize;
    if (!prepared) {
        if (!target.BlitKeyed(square, picture, Rect{0, 0, picture.Width(), picture.Height()}))
            return false;
        drawn.Mark(square);
        return true;
    }
    if (!square.LiesWithin(target.Width(), target.Height()))
        return false;
    uint8_t& ready = ready_[Size(k, n)];
    if (!ready) {
        Prepare(k, n);
        ready = 1;
    }
    const int offsetX = square.Left % ReachTileSize, offsetY = square.Top % ReachTileSize;
    drawn.MarkEach(square.Left / ReachTileSize, square.Top / ReachTileSize, Reach(k, n, offsetX, offsetY),
                   (offsetY + n - 1) / ReachTileSize + 1);

    // A puff is small and its rows hold a few dots each: the work per row is kept to
    // finding its dot list.
    const uint8_t* at = sampled_[static_cast<size_t>(n)].data();
    const uint32_t* rowStart = rowStart_.get() + Row(k, n, 0);
    const uint8_t* dots = dotColumns_.get();
    const size_t stride = static_cast<size_t>(target.Width());
    uint32_t* to = target.Row(square.Top) + square.Left;
    if (plain_[static_cast<size_t>(k)]) {
        const uint32_t colour = dotColour_[static_cast<size_t>(k)];
        for (int j = 0; j < n; ++j, to += stride) {
            const uint8_t* end = dots + rowStart[at[j] + 1];
            for (const uint8_t* dot = dots + rowStart[at[j]]; dot != end; ++dot)
                to[*dot] = colour;
        }
        return true;
    }
    for (int j = 0; j < n; ++j, to += stride) {
        const uint32_t* source = picture.Row(at[j]);
        const uint8_t* end = dots + rowStart[at[j] + 1];
        for (const uint8_t* dot = dots + rowStart[at[j]]; dot != end; ++dot)
            to[*dot] = SourceOver(source[at[*dot]], to[*dot]);
    }
    return true;
}
