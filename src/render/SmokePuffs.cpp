#include "SmokePuffs.h"

#include <utility>

size_t SmokePuffs::Row(int k, int n, int r)
{
    return (static_cast<size_t>(k) * LargestPrepared + static_cast<size_t>(n - 1)) * SmokeCellSize +
           static_cast<size_t>(r);
}

void SmokePuffs::Load(std::array<Surface, SmokePictureCount> pictures)
{
    pictures_ = std::move(pictures);
    sampled_.assign(LargestPrepared + 1, {});
    // firstAt[n][c]: the first destination pixel of a puff n wide whose source pixel is c
    // or later. The mapping only grows, so source pixel c covers firstAt[n][c] .. firstAt[n][c + 1].
    std::vector<std::array<uint8_t, SmokeCellSize + 1>> firstAt(LargestPrepared + 1);
    for (int n = 1; n <= LargestPrepared; ++n) {
        std::vector<uint8_t>& at = sampled_[static_cast<size_t>(n)];
        at.resize(static_cast<size_t>(n));
        for (int i = 0; i < n; ++i)
            at[static_cast<size_t>(i)] = static_cast<uint8_t>((2 * i + 1) * SmokeCellSize / (2 * n));
        for (int c = 0, i = 0; c <= SmokeCellSize; ++c) {
            while (i < n && at[static_cast<size_t>(i)] < c)
                ++i;
            firstAt[static_cast<size_t>(n)][static_cast<size_t>(c)] = static_cast<uint8_t>(i);
        }
    }

    dotColumns_.clear();
    rowStart_.assign(Row(SmokePictureCount, 1, 0) + 1, 0);
    std::vector<uint8_t> opaque;
    std::array<size_t, SmokeCellSize + 1> opaqueStart{};
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
        // The columns of each source row that are not transparent.
        opaque.clear();
        for (int r = 0; r < SmokeCellSize; ++r) {
            opaqueStart[static_cast<size_t>(r)] = opaque.size();
            for (int c = 0; c < SmokeCellSize && usable; ++c)
                if (AlphaOf(picture.Row(r)[c]) != 0)
                    opaque.push_back(static_cast<uint8_t>(c));
        }
        opaqueStart[SmokeCellSize] = opaque.size();
        // Destination rows taking the same source row have the same dots: one list per
        // source row and size. A source row no destination row takes stays empty.
        for (int n = 1; n <= LargestPrepared; ++n) {
            const std::array<uint8_t, SmokeCellSize + 1>& first = firstAt[static_cast<size_t>(n)];
            for (int r = 0; r < SmokeCellSize; ++r) {
                rowStart_[Row(k, n, r)] = static_cast<uint32_t>(dotColumns_.size());
                if (!usable || first[static_cast<size_t>(r)] == first[static_cast<size_t>(r) + 1])
                    continue;
                for (size_t o = opaqueStart[static_cast<size_t>(r)]; o < opaqueStart[static_cast<size_t>(r) + 1]; ++o) {
                    const size_t c = opaque[o];
                    for (int i = first[c]; i < first[c + 1]; ++i)
                        dotColumns_.push_back(static_cast<uint8_t>(i));
                }
            }
        }
    }
    rowStart_.back() = static_cast<uint32_t>(dotColumns_.size());
}

bool SmokePuffs::Draw(Surface& target, int k, const Rect& square) const
{
    if (k < 0 || k >= SmokePictureCount)
        return false;
    const Surface& picture = pictures_[static_cast<size_t>(k)];
    const int n = square.Width();
    const bool prepared = n == square.Height() && n >= 1 && n <= LargestPrepared &&
                          picture.Width() == SmokeCellSize && picture.Height() == SmokeCellSize;
    if (!prepared)
        return target.BlitKeyed(square, picture, Rect{0, 0, picture.Width(), picture.Height()});
    if (!square.LiesWithin(target.Width(), target.Height()))
        return false;

    // A puff is small and its rows hold a few dots each: the work per row is kept to
    // finding its dot list.
    const uint8_t* at = sampled_[static_cast<size_t>(n)].data();
    const uint32_t* rowStart = rowStart_.data() + Row(k, n, 0);
    const uint8_t* dots = dotColumns_.data();
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
