#pragma once

#include "Rect.h"
#include "TileMask.h"

#include <vector>

// The few rectangles a compositor is told to redraw for a frame. wlroots compositors
// redraw the bounding box of a frame's damage once it, joined with the damage of the
// frame before (their own buffer is a frame behind), is more than 20 rectangles: sent
// tile by tile, a show's smoke makes that the whole output every frame. So the frame is
// cut into StripCount strips of whole tiles, the same strips every frame, where spans
// of marked tiles join; with the spans the last frame sent, the narrowest gaps anywhere
// are filled until no more than MostRectangles spans cover both, and this frame sends
// within each what it marked there. Rectangles of the same strips never cut one
// another into more.
class DamageStrips {
public:
    static constexpr int StripCount = 10;
    static constexpr int MostRectangles = 20;

    // Rectangles covering every tile marked in a or b (masks of the same frame), strips
    // top to bottom, left to right within a strip; joined with those of the last call,
    // no more than MostRectangles. Allocates nothing once it has seen as many runs as a
    // frame brings.
    const std::vector<Rect>& Cover(const TileMask& a, const TileMask& b);
    // The last frame was sent whole, or not at all: the next is free of it.
    void Forget() { sent_.clear(); }

    struct Span {
        int Strip;
        int Left;
        int Right;
    };

private:
    void FillNarrowestGaps(int stripHeight);

    std::vector<Span> marked_;
    std::vector<Span> covered_;
    std::vector<Span> sent_;  // by the last call
    std::vector<Span> last_;  // by the call before
    std::vector<long> gaps_;  // area of filling the gap after covered_[i], or -1 at a strip's end
    std::vector<long> sorted_;
    std::vector<Rect> rects_;
};
