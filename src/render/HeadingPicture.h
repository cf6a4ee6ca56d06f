#pragma once

#include "SpriteGeometry.h"
#include "Surface.h"

#include <cstdint>
#include <vector>

// Width and height of the square an aircraft is drawn in before the screen edges cut it.
struct DrawnSize {
    int Width = 0;
    int Height = 0;
};

// One heading picture of the loaded kind, resized smoothly once, at load, to every
// size the show draws it at (the picture holds the aircraft at 400 px, the show draws
// it at 45 px). A frame then only copies ready pixels, so an aircraft looks the same in
// every frame and wherever it is.
class HeadingPicture {
public:
    HeadingPicture() = default;
    // keyed: the N x N picture with its key colour already transparent.
    HeadingPicture(const Surface& keyed, const std::vector<DrawnSize>& sizes);

    int Edge() const { return edge_; }

    // Draws rects.Source of the N x N picture onto rects.Destination of target (the
    // rectangles SpriteGeometry gives), taking each pixel from the ready-made size
    // nearest to rects.DrawnWidth x DrawnHeight. Uncut, that is a plain copy of it.
    // Refused like any blit (nothing drawn, false) when either rectangle is empty,
    // inverted or outside its surface. columns is scratch space, reused every frame.
    bool Draw(Surface& target, const SpriteRects& rects, std::vector<int>& columns) const;

private:
    struct Rendition {
        Surface Pixels;
        // Per row, the first and one past the last pixel that is not transparent.
        std::vector<int16_t> SpanStart;
        std::vector<int16_t> SpanEnd;
    };
    const Rendition* Nearest(int width, int height) const;

    int edge_ = 0;
    std::vector<Rendition> renditions_;
};
