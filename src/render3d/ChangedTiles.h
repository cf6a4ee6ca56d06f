#pragma once

#include "PixelBox.h"
#include "TileMask.h"

#include <vector>

// Which tiles of the viewport the last frame and this one draw into: the part of the
// window a frame over the last must redraw, as a few rectangles instead of one box
// around everything (a smoke trail across the window would make that box most of it).
class ChangedTiles {
public:
    static constexpr int TileSize = 64;

    // Forgets both frames; the next Boxes holds only what is marked after this.
    void Reset(int width, int height);
    // This frame draws inside box.
    void Mark(const PixelBox& box) { now_.Mark(Rect{box.X0, box.Y0, box.X1, box.Y1}); }
    // The tiles marked in this frame or the last, joined into rectangles: runs along each
    // row of tiles, runs of equal columns in neighbouring rows made one.
    const std::vector<PixelBox>& Boxes();
    // This frame becomes the last; the next starts unmarked.
    void Advance();

private:
    // GL counts rows from the bottom; the masks only see numbers, so their tile rows do too.
    TileMask now_{0, 0, TileSize};
    TileMask last_{0, 0, TileSize};
    std::vector<PixelBox> boxes_;
};
