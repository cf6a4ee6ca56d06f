#pragma once

#include "PixelBox.h"

#include <cstdint>
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
    void Mark(const PixelBox& box);
    // The tiles marked in this frame or the last, joined into rectangles: runs along each
    // row of tiles, runs of equal columns in neighbouring rows made one.
    const std::vector<PixelBox>& Boxes();
    // This frame becomes the last; the next starts unmarked.
    void Advance();

private:
    int width_ = 0, height_ = 0, columns_ = 0, rows_ = 0;
    std::vector<uint8_t> now_, last_;
    std::vector<PixelBox> boxes_;
};
