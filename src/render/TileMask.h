#pragma once

#include "Rect.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <vector>

// Which square tiles of a frame were drawn into (32 x 32 unless told; a power of two, as
// every puff of smoke marks tiles and a shift is cheaper than a division). Restoring the
// background and putting the frame on screen are limited to those tiles; the mask is
// sized once, so marking and reading it allocate nothing. One bit a tile, so that a
// puff marks a word or two and a row of mostly unmarked tiles is read a word at a time.
class TileMask {
public:
    static constexpr int TileSize = 32;

    TileMask(int width, int height, int tileSize = TileSize)
        : width_(width),
          height_(height),
          tileSize_(static_cast<int>(std::bit_ceil(static_cast<unsigned>(std::max(tileSize, 1))))),
          shift_(std::countr_zero(static_cast<unsigned>(tileSize_))),
          columns_((std::max(width, 0) + tileSize_ - 1) / tileSize_),
          rows_((std::max(height, 0) + tileSize_ - 1) / tileSize_),
          words_((columns_ + WordBits - 1) / WordBits),
          bits_(static_cast<size_t>(words_) * rows_, 0)
    {
    }

    int Tile() const { return tileSize_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

    void Clear() { std::fill(bits_.begin(), bits_.end(), uint64_t{0}); }

    // Marks every tile marked in other, a mask of the same frame and tiles.
    void Add(const TileMask& other)
    {
        for (size_t i = 0; i < bits_.size() && i < other.bits_.size(); ++i)
            bits_[i] |= other.bits_[i];
    }

    // Marks every tile the rectangle touches (the part inside the frame).
    void Mark(const Rect& r)
    {
        const int left = std::max(r.Left, 0), top = std::max(r.Top, 0);
        const int right = std::min(r.Right, width_), bottom = std::min(r.Bottom, height_);
        if (right <= left || bottom <= top)
            return;
        for (int row = top >> shift_; row <= (bottom - 1) >> shift_; ++row)
            MarkColumns(row, left >> shift_, (right - 1) >> shift_);
    }

    // Marks, for each of count rows of tiles from row on, tile column + u when bit u of
    // that row's word in tiles is set. The marked tiles must lie in the frame.
    void MarkEach(int column, int row, const uint32_t* tiles, int count)
    {
        count = std::min(count, rows_ - row);
        const int w = column / WordBits, shift = column % WordBits;
        for (int i = 0; i < count; ++i) {
            uint64_t* words = bits_.data() + static_cast<size_t>(row + i) * words_ + w;
            words[0] |= uint64_t{tiles[i]} << shift;
            // A row reaching into the next word (shift > 0 there, as a row is 32 bits).
            if (const uint64_t high = shift > 0 ? uint64_t{tiles[i]} >> (WordBits - shift) : 0; high != 0)
                words[1] |= high;
        }
    }

    // Marks the tiles that hold a tile marked in finer, a mask of the same frame whose
    // tiles are smaller: exactly the tiles a rectangle marked there would mark here.
    void MarkCovering(const TileMask& finer)
    {
        const int ratio = std::max(shift_ - finer.shift_, 0);
        for (int row = 0; row < rows_; ++row) {
            const int last = std::min((row + 1) << ratio, finer.rows_);
            for (int w = 0; w < finer.words_; ++w) {
                uint64_t bits = 0;
                for (int r = row << ratio; r < last; ++r)
                    bits |= finer.Word(r, w);
                for (; bits != 0; bits &= bits - 1) {
                    const int column = (w * WordBits + std::countr_zero(bits)) >> ratio;
                    MarkColumns(row, column, column);
                }
            }
        }
    }

    // Runs of marked tiles along each row, in pixels, clipped to the frame: calls
    // visit(Rect) for each, top to bottom and left to right. With other, a tile marked in
    // either mask (of the same size) counts as marked.
    template <typename Visit>
    void ForEachRun(const TileMask* other, Visit visit) const
    {
        for (int row = 0; row < rows_; ++row) {
            auto word = [&](int w) { return Word(row, w) | (other ? other->Word(row, w) : 0); };
            int column = 0;
            while ((column = Next(word, column, true)) < columns_) {
                const int end = Next(word, column, false);
                visit(Rect{column * tileSize_, row * tileSize_, std::min(end * tileSize_, width_),
                           std::min((row + 1) * tileSize_, height_)});
                column = end;
            }
        }
    }

private:
    static constexpr int WordBits = 64;

    uint64_t Word(int row, int w) const { return bits_[static_cast<size_t>(row) * words_ + w]; }

    // Sets the bits of columns first..last of one row.
    void MarkColumns(int row, int first, int last)
    {
        uint64_t* words = bits_.data() + static_cast<size_t>(row) * words_;
        const int firstWord = first / WordBits, lastWord = last / WordBits;
        const uint64_t head = ~uint64_t{0} << (first % WordBits);
        const uint64_t tail = ~uint64_t{0} >> (WordBits - 1 - last % WordBits);
        if (firstWord == lastWord) {
            words[firstWord] |= head & tail;
            return;
        }
        words[firstWord] |= head;
        for (int w = firstWord + 1; w < lastWord; ++w)
            words[w] = ~uint64_t{0};
        words[lastWord] |= tail;
    }

    // The first column at or after from whose bit is set (or clear, when set is false);
    // columns_ when there is none. Bits past the last column are never set.
    template <typename WordOf>
    int Next(const WordOf& word, int from, bool set) const
    {
        // A run that ends at the last column asks from columns_, which may be a word's first bit.
        if (from >= columns_)
            return columns_;
        int w = from / WordBits;
        const uint64_t flip = set ? 0 : ~uint64_t{0};
        uint64_t bits = (word(w) ^ flip) & (~uint64_t{0} << (from % WordBits));
        while (bits == 0) {
            if (++w >= words_)
                return columns_;
            bits = word(w) ^ flip;
        }
        return std::min(w * WordBits + std::countr_zero(bits), columns_);
    }

    int width_;
    int height_;
    int tileSize_;
    int shift_;
    int columns_;
    int rows_;
    int words_;
    std::vector<uint64_t> bits_;
};
