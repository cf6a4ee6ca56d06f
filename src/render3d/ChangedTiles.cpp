#include "ChangedTiles.h"

#include <algorithm>

void ChangedTiles::Reset(int width, int height)
{
    width_ = width;
    height_ = height;
    columns_ = (width + TileSize - 1) / TileSize;
    rows_ = (height + TileSize - 1) / TileSize;
    now_.assign(size_t(columns_) * size_t(rows_), 0);
    last_.assign(now_.size(), 0);
    boxes_.reserve(now_.size());
}

void ChangedTiles::Mark(const PixelBox& box)
{
    const PixelBox inside = Clamped(box, width_, height_);
    if (inside.Empty())
        return;
    const int first = inside.X0 / TileSize, count = (inside.X1 - 1) / TileSize - first + 1;
    for (int row = inside.Y0 / TileSize; row <= (inside.Y1 - 1) / TileSize; ++row)
        std::fill_n(now_.begin() + std::ptrdiff_t(row) * columns_ + first, count, uint8_t(1));
}

const std::vector<PixelBox>& ChangedTiles::Boxes()
{
    boxes_.clear();
    for (int row = 0; row < rows_; ++row) {
        const uint8_t* now = now_.data() + size_t(row) * size_t(columns_);
        const uint8_t* last = last_.data() + size_t(row) * size_t(columns_);
        const int y0 = row * TileSize, y1 = std::min(y0 + TileSize, height_);
        for (int column = 0; column < columns_;) {
            if (!(now[column] | last[column])) {
                ++column;
                continue;
            }
            const int first = column;
            while (column < columns_ && (now[column] | last[column]))
                ++column;
            const int x0 = first * TileSize, x1 = std::min(column * TileSize, width_);
            // A box of the same columns ending where this row starts grows by it.
            const auto below = std::find_if(boxes_.begin(), boxes_.end(), [&](const PixelBox& b) {
                return b.X0 == x0 && b.X1 == x1 && b.Y1 == y0;
            });
            if (below != boxes_.end())
                below->Y1 = y1;
            else
                boxes_.push_back({x0, y0, x1, y1});
        }
    }
    return boxes_;
}

void ChangedTiles::Advance()
{
    now_.swap(last_);
    std::fill(now_.begin(), now_.end(), uint8_t(0));
}
