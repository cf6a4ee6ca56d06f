#pragma once

#include "PixelBox.h"
#include "TileMask.h"

#include <array>
#include <vector>

// Which tiles of the viewport the last frames and this one draw into: the part of the
// window a frame over an older one must redraw, as a few rectangles instead of one box
// around everything (a smoke trail across the window would make that box most of it).
class ChangedTiles {
public:
    static constexpr int TileSize = 64;
    // The oldest frame a target may hold for a frame to be drawn over it.
    static constexpr int MostAge = 3;

    // Forgets every frame; the next Boxes holds only what is marked after this.
    void Reset(int width, int height);
    // This frame draws inside box.
    void Mark(const PixelBox& box) { now_.Mark(Rect{box.X0, box.Y0, box.X1, box.Y1}); }
    // Frames marked since the last Reset, this one not counted.
    int FramesKept() const { return kept_; }
    // The tiles marked in this frame or the age frames before it (1..MostAge), joined into
    // rectangles: runs along each row of tiles, runs of equal columns in neighbouring
    // rows made one.
    const std::vector<PixelBox>& Boxes(int age = 1);
    // This frame becomes the last; the next starts unmarked.
    void Advance();

private:
    // GL counts rows from the bottom; the masks only see numbers, so their tile rows do too.
    TileMask now_{0, 0, TileSize};
    std::array<TileMask, MostAge> past_{TileMask{0, 0, TileSize}, TileMask{0, 0, TileSize}, TileMask{0, 0, TileSize}};
    TileMask joined_{0, 0, TileSize};
    int kept_ = 0;
    std::vector<PixelBox> boxes_;
};
