#pragma once

#include "Rect.h"
#include "TileMask.h"

#include <vector>

// The few rectangles a compositor is told to redraw for a frame. wlroots compositors
// redraw the bounding box of a frame's damage once it, joined with the damage of the
// frames their own buffer is behind, is more than 20 rectangles: sent tile by tile, a
// show's smoke makes that the whole output every frame. So the frame is cut into
// StripCount strips of whole tiles, the same strips every frame, and in each strip the
// columns of marked tiles are joined; then the narrowest gaps anywhere are filled until
// no more than MostRectangles are left. Two frames' rectangles then join strip by strip
// and never cut one another into more.
class DamageStrips {
public:
    static constexpr int StripCount = 10;
    static constexpr int MostRectangles = 10;

    // Rectangles covering every tile marked in a or b (masks of the same frame), strips
    // top to bottom, left to right within a strip. Allocates nothing once it has seen as
    // many runs as a frame brings.
    const std::vector<Rect>& Cover(const TileMask& a, const TileMask& b);

private:
    struct Span {
        int Strip;
        int Left;
        int Right;
    };

    std::vector<Span> spans_;
    std::vector<long> gaps_;  // area of filling the gap after spans_[i], or -1 at a strip's end
    std::vector<long> sorted_;
    std::vector<Rect> rects_;
};
