#include "ChangedTiles.h"

#include <algorithm>
#include <utility>

void ChangedTiles::Reset(int width, int height)
{
    now_ = TileMask(width, height, TileSize);
    last_ = TileMask(width, height, TileSize);
    const int columns = (width + TileSize - 1) / TileSize, rows = (height + TileSize - 1) / TileSize;
    boxes_.reserve(size_t(std::max(columns, 0)) * size_t(std::max(rows, 0)));
}

const std::vector<PixelBox>& ChangedTiles::Boxes()
{
    boxes_.clear();
    now_.ForEachRun(&last_, [this](const Rect& run) {
        // A box of the same columns ending where this row starts grows by it.
        const auto below = std::find_if(boxes_.begin(), boxes_.end(), [&](const PixelBox& b) {
            return b.X0 == run.Left && b.X1 == run.Right && b.Y1 == run.Top;
        });
        if (below != boxes_.end())
            below->Y1 = run.Bottom;
        else
            boxes_.push_back({run.Left, run.Top, run.Right, run.Bottom});
    });
    return boxes_;
}

void ChangedTiles::Advance()
{
    std::swap(now_, last_);
    now_.Clear();
}
