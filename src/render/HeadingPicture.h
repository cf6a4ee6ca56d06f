#pragma once

#include "SpriteGeometry.h"
#include "Surface.h"
#include "TileMask.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
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

// One heading picture of the loaded kind, resized smoothly to every size the show draws
// it at (the picture holds the aircraft at 400 px, the show draws it at 45 px). A frame
// then only copies ready pixels, so an aircraft looks the same in every frame and
// wherever it is. The sizes drawn most are made ahead: each once, by Make on any thread
// or by the first draw that needs it, whichever comes first; a draw waits for a size
// another thread is making. The large sizes, rarely drawn, are made by the draw that
// needs them and given back once no draw uses them, so they hold memory only while an
// aircraft of that size flies. The picture itself is kept only while sizes remain to be
// made ahead, and read again for each large size made after that.
class HeadingPicture {
public:
    HeadingPicture() = default;
    // keyed: the N x N picture with its key colour already transparent; every size is made
    // ahead. Makes nothing yet.
    HeadingPicture(Surface keyed, const std::vector<DrawnSize>& sizes);
    // The same, but the keyed edge x edge picture is read by readKeyed when a size is made,
    // on whichever thread makes it: a show then decodes only the headings it draws before
    // its first frame. readKeyed must not throw. large: the sizes made only when drawn.
    HeadingPicture(int edge, std::function<Surface()> readKeyed, const std::vector<DrawnSize>& ahead,
                   const std::vector<DrawnSize>& large);

    // How many distinct sizes are made ahead, smallest first.
    int AheadCount() const { return aheadCount_; }
    // Makes size i of those made ahead unless it is made or being made; safe from any thread.
    void Make(int i) const;

    // Width of the widest size.
    int WidestSize() const;

    // Draws rects.Source of the N x N picture onto rects.Destination of target (the
    // rectangles SpriteGeometry gives), taking each pixel from the ready-made size
    // nearest to rects.DrawnWidth x DrawnHeight. Uncut, that is a plain copy of it.
    // Refused like any blit (nothing drawn, false) when either rectangle is empty,
    // inverted or outside its surface. Marks in drawn, when given, the tiles of each row
    // of tiles from its leftmost to its rightmost drawn pixel: the corners an aircraft
    // leaves transparent are neither restored nor sent again. Draws come from one thread.
    bool Draw(Surface& target, const SpriteRects& rects, DrawScratch& scratch, TileMask* drawn = nullptr) const;
    // Gives back the large sizes no draw has used since the last call; on the drawing thread.
    void GiveBackUndrawn();

private:
    // Pixels of one row that are drawn alike: all opaque (copied) or all partly
    // transparent (blended). Fully transparent pixels belong to no run.
    struct Run {
        int16_t Start;
        int16_t Length;
        bool Opaque;
    };
    // A ready-made size without its transparent corners: of each row only the pixels
    // from its first run to the end of its last are kept, the rows one after another.
    struct Rendition {
        int Width = 0;
        int Height = 0;
        std::vector<uint32_t> Pixels;
        std::vector<uint32_t> PixelStart;  // row y's first kept pixel (its first run's Start)
        std::vector<Run> Runs;
        std::vector<uint32_t> RowStart;  // runs of row y: RowStart[y] .. RowStart[y + 1]
    };
    // A size made ahead: not yet made, being made, or made.
    struct Slot {
        std::atomic<int> State{0};
        Rendition Made;
    };
    static constexpr int Waiting = 0, Making = 1, Made = 2;
    // A large size, touched by the drawing thread only.
    struct LargeSlot {
        std::optional<Rendition> Made;
        bool Drawn = false;  // since the last GiveBackUndrawn
    };

    // The keyed picture, read by the first thread that needs it.
    struct Source {
        std::mutex Lock;
        std::function<Surface()> ReadKeyed;
        std::shared_ptr<const Surface> Keyed;  // while sizes remain to be made ahead
        int AheadLeft = 0;
    };

    static Rendition Prepared(Surface pixels);
    std::shared_ptr<const Surface> Keyed() const;
    Rendition Resized(int i) const;
    int Nearest(int width, int height) const;
    const Rendition& Ready(int i) const;

    int edge_ = 0;
    std::unique_ptr<Source> source_;
    std::vector<DrawnSize> sizes_;  // those made ahead, then the large ones
    int aheadCount_ = 0;
    std::unique_ptr<Slot[]> slots_;
    std::unique_ptr<LargeSlot[]> large_;
};
