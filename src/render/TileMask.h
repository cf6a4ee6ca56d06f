#pragma once

#include "Rect.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <vector>

// Which square tiles of a frame were drawn into (32 x 32 unless told; a power of two, as
// every puff of smoke marks tiles and a shift is cheaper than a division). Restoring the
// background and putting the frame on screen are limited to those tiles; the mask is
// sized once, so marking and reading it allocate nothing.
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
          tiles_(static_cast<size_t>(columns_) * rows_, 0)
    {
    }

    int Columns() const { return columns_; }
    int Rows() const { return rows_; }

    void Clear() { std::fill(tiles_.begin(), tiles_.end(), uint8_t{0}); }
    void MarkAll() { std::fill(tiles_.begin(), tiles_.end(), uint8_t{1}); }

    // Marks every tile the rectangle touches (the part inside the frame).
    void Mark(const Rect& r)
    {
        const int left = std::max(r.Left, 0), top = std::max(r.Top, 0);
        const int right = std::min(r.Right, width_), bottom = std::min(r.Bottom, height_);
        if (right <= left || bottom <= top)
            return;
        for (int row = top >> shift_; row <= (bottom - 1) >> shift_; ++row)
            std::fill_n(tiles_.begin() + static_cast<ptrdiff_t>(row) * columns_ + (left >> shift_),
                        ((right - 1) >> shift_) - (left >> shift_) + 1, uint8_t{1});
    }

    bool Marked(int column, int row) const { return tiles_[static_cast<size_t>(row) * columns_ + column] != 0; }

    // Runs of marked tiles along each row, in pixels, clipped to the frame: calls
    // visit(Rect) for each, top to bottom and left to right.
    template <typename Visit>
    void ForEachRun(const TileMask* other, Visit visit) const
    {
        for (int row = 0; row < rows_; ++row) {
            int column = 0;
            while (column < columns_) {
                auto on = [&](int c) { return Marked(c, row) || (other && other->Marked(c, row)); };
                if (!on(column)) {
                    ++column;
                    continue;
                }
                const int start = column;
                while (column < columns_ && on(column))
                    ++column;
                visit(Rect{start * tileSize_, row * tileSize_, std::min(column * tileSize_, width_),
                           std::min((row + 1) * tileSize_, height_)});
            }
        }
    }

private:
    int width_;
    int height_;
    int tileSize_;
    int shift_;
    int columns_;
    int rows_;
    std::vector<uint8_t> tiles_;
};
