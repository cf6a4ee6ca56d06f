#include "ChangedTiles.h"

#include <algorithm>
#include <utility>

void ChangedTiles::Reset(int width, int height)
{
    now_ = TileMask(width, height, TileSize);
    for (TileMask& past : past_)
        past = TileMask(width, height, TileSize);
    joined_ = TileMask(width, height, TileSize);
    kept_ = 0;
    const int columns = (width + TileSize - 1) / TileSize, rows = (height + TileSize - 1) / TileSize;
    boxes_.reserve(size_t(std::max(columns, 0)) * size_t(std::max(rows, 0)));
}

const std::vector<PixelBox>& ChangedTiles::Boxes(int age)
{
    boxes_.clear();
    // A copy of the same size allocates nothing.
    joined_ = now_;
    for (int i = 0; i < std::clamp(age, 1, MostAge); ++i)
        joined_.Add(past_[static_cast<size_t>(i)]);
    joined_.ForEachRun(nullptr, [this](const Rect& run) {
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
    std::rotate(past_.rbegin(), past_.rbegin() + 1, past_.rend());
    std::swap(now_, past_[0]);
    now_.Clear();
    kept_ = std::min(kept_ + 1, MostAge);
}
