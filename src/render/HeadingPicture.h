#pragma once

#include "SpriteGeometry.h"
#include "Surface.h"
#include "TileMask.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

// Width and height of the square an aircraft is drawn in before the screen edges cut it.
struct DrawnSize {
    int Width = 0;
    int Height = 0;
};

// Space a draw works in, kept by the caller and reused, so that drawing allocates
// nothing once it is as large as the frame's width and the widest ready-made size.
struct DrawScratch {
    std::vector<int> Columns;      // destination column -> column of the ready-made picture
    std::vector<int> FirstColumn;  // column of the ready-made picture -> first destination column at or past it
};

// One heading picture of the loaded kind, resized smoothly once to every size the show
// draws it at (the picture holds the aircraft at 400 px, the show draws it at 45 px). A
// frame then only copies ready pixels, so an aircraft looks the same in every frame and
// wherever it is. Each size is made once, by Make on any thread or by the first draw
// that needs it, whichever comes first; a draw waits for a size another thread is making.
class HeadingPicture {
public:
    HeadingPicture() = default;
    // keyed: the N x N picture with its key colour already transparent. Makes nothing yet.
    HeadingPicture(Surface keyed, const std::vector<DrawnSize>& sizes);
    // The same, but the keyed edge x edge picture is made by makeKeyed when the first size
    // is made, on whichever thread makes it: a show then decodes only the headings it draws
    // before its first frame. makeKeyed must not throw.
    HeadingPicture(int edge, std::function<Surface()> makeKeyed, const std::vector<DrawnSize>& sizes);

    // How many distinct sizes there are, and the pixel count of size i.
    int SizeCount() const { return static_cast<int>(sizes_.size()); }
    int Area(int i) const;
    // Makes size i unless it is made or being made; safe from any thread.
    void Make(int i) const;

    // Width of the widest size.
    int WidestSize() const;

    // Draws rects.Source of the N x N picture onto rects.Destination of target (the
    // rectangles SpriteGeometry gives), taking each pixel from the ready-made size
    // nearest to rects.DrawnWidth x DrawnHeight. Uncut, that is a plain copy of it.
    // Refused like any blit (nothing drawn, false) when either rectangle is empty,
    // inverted or outside its surface. Marks in drawn, when given, the tiles of each row
    // of tiles from its leftmost to its rightmost drawn pixel: the corners an aircraft
    // leaves transparent are neither restored nor sent again.
    bool Draw(Surface& target, const SpriteRects& rects, DrawScratch& scratch, TileMask* drawn = nullptr) const;

private:
    // Pixels of one row that are drawn alike: all opaque (copied) or all partly
    // transparent (blended). Fully transparent pixels belong to no run.
    struct Run {
        int16_t Start;
        int16_t Length;
        bool Opaque;
    };
    struct Rendition {
        Surface Pixels;
        std::vector<Run> Runs;
        std::vector<uint32_t> RowStart;  // runs of row y: RowStart[y] .. RowStart[y + 1]
    };
    // A size not yet made, being made, or made.
    struct Slot {
        std::atomic<int> State{0};
        Rendition Made;
    };
    static constexpr int Waiting = 0, Making = 1, Made = 2;

    // The keyed picture, made once by the first thread that needs it.
    struct Source {
        std::once_flag Once;
        std::function<Surface()> MakeKeyed;
        Surface Keyed;
    };

    static Rendition Prepared(Surface pixels);
    const Surface& Keyed() const;
    int Nearest(int width, int height) const;
    const Rendition& Ready(int i) const;

    int edge_ = 0;
    std::unique_ptr<Source> source_;
    std::vector<DrawnSize> sizes_;
    std::unique_ptr<Slot[]> slots_;
};
