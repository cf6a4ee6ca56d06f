#include "FrameComposer.h"

#include "Flight.h"
#include "SpriteGeometry.h"

#include <algorithm>
#include <atomic>
#include <utility>

namespace {

// The smoke marks the tiles its dots reach in tiles of its own size.
constexpr int SmallTileSize = SmokePuffs::ReachTileSize;

// Tells the backgrounds of every composer apart, so that pixels one composer drew hold
// nothing another can build on.
unsigned NewBackgroundId()
{
    static std::atomic<unsigned> last{0};
    return ++last;
}

}  // namespace

FrameComposer::FrameComposer(int width, int height)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      scratch_{std::vector<int>(static_cast<size_t>(std::max(width, 0))), {}},
      drawnSmallTiles_(width, height, SmallTileSize),
      previousSmallTiles_(width, height, SmallTileSize),
      blocks_(width, height),
      backgroundId_(NewBackgroundId())
{
}

void FrameComposer::MakeOwnFrame()
{
    if (frame_.Width() != width_ || frame_.Height() != height_)
        frame_ = Surface(width_, height_, OpaqueBlack);
}

void FrameComposer::SetBackground(const Surface& background)
{
    SetBackground(SurfaceFromPicture(background, width_, height_));
}

void FrameComposer::SetBackground(Surface&& background)
{
    // Made here, not in the constructor, so that a composer told to draw into memory lent
    // to it never holds a frame of its own, and a first frame still allocates nothing.
    if (!targets_)
        MakeOwnFrame();
    const bool taken = background.Width() == width_ && background.Height() == height_;
    Surface fitted = taken ? std::move(background) : SurfaceFromPicture(background, width_, height_);
    uint32_t* pixels = fitted.Row(0);
    const size_t count = static_cast<size_t>(fitted.Width()) * fitted.Height();
    // Opaque, as SurfaceFromPicture makes a copy.
    if (taken)
        std::for_each(pixels, pixels + count, [](uint32_t& p) { p |= OpaqueBlack; });
    plainBackground_ = count == 0 || std::all_of(pixels, pixels + count, [&](uint32_t p) { return p == pixels[0]; });
    backgroundColour_ = count > 0 ? pixels[0] : OpaqueBlack;
    // A background of one colour is filled in and never read: it keeps no frame-sized copy.
    background_ = plainBackground_ ? Surface() : std::move(fitted);
    backgroundChanged_ = true;
    backgroundId_ = NewBackgroundId();
}

void FrameComposer::SetBackgroundColour(uint32_t rgb)
{
    if (!targets_)
        MakeOwnFrame();
    plainBackground_ = true;
    backgroundColour_ = OpaqueBlack | rgb;
    background_ = Surface();
    backgroundChanged_ = true;
    backgroundId_ = NewBackgroundId();
}

void FrameComposer::LoadKindSprites(int kind, std::array<Surface, HeadingCount> pictures, int cellSize)
{
    KindSprites sprites;
    sprites.Load(kind, std::move(pictures), cellSize);
    UseKindSprites(std::move(sprites));
}

void FrameComposer::UseKindSprites(KindSprites sprites)
{
    sprites_ = std::move(sprites);
    for (int d = 0; d < HeadingCount; ++d)
        scratch_.FirstColumn.resize(std::max<size_t>(scratch_.FirstColumn.size(), sprites_.Heading(d).WidestSize() + 1));
}

void FrameComposer::LoadSmokeSurfaces(const std::array<Surface, SmokePictureCount>& pictures)
{
    std::array<Surface, SmokePictureCount> keyed;
    for (int k = 0; k < SmokePictureCount; ++k) {
        Surface& surface = keyed[static_cast<size_t>(k)];
        surface = SurfaceFromPicture(pictures[static_cast<size_t>(k)], SmokeCellSize, SmokeCellSize);
        surface.SetColorKey(0);
    }
    smoke_.Load(std::move(keyed));
}

void FrameComposer::SetPresenter(Presenter presenter)
{
    presenter_ = std::move(presenter);
}

void FrameComposer::ComposeInto(uint32_t* pixels)
{
    frame_ = Surface(width_, height_, Surface::Lent{pixels});
    backgroundChanged_ = true;
}

void FrameComposer::NextFrameInto(uint32_t* pixels, FrameMemory& memory)
{
    frame_ = Surface(width_, height_, Surface::Lent{pixels});
    target_ = &memory;
}

int FrameComposer::MostChangedRuns() const
{
    const int columns = (width_ + SmallTileSize - 1) / SmallTileSize;
    const int rows = (height_ + SmallTileSize - 1) / SmallTileSize;
    return std::max(rows * ((columns + 1) / 2), 1);
}

void FrameComposer::RestoreBackground(const Rect& run)
{
    const size_t count = static_cast<size_t>(std::max(run.Width(), 0));
    // A background of one colour is filled in, without reading it.
    for (int y = run.Top; y < run.Bottom; ++y) {
        if (plainBackground_)
            std::fill_n(frame_.Row(y) + run.Left, count, backgroundColour_);
        else
            std::copy_n(background_.Row(y) + run.Left, count, frame_.Row(y) + run.Left);
    }
}

void FrameComposer::RestoreTiles(const TileMask& tiles)
{
    // Restoring waits mostly on fetching the scattered lines of the frame (and of the
    // background): the next run's are asked for before this one is restored.
    Rect pending{};
    tiles.ForEachRun(nullptr, [&](const Rect& run) {
        for (int y = run.Top; y < run.Bottom; ++y) {
            __builtin_prefetch(frame_.Row(y) + run.Left, 1);
            if (!plainBackground_)
                __builtin_prefetch(background_.Row(y) + run.Left, 0);
        }
        RestoreBackground(pending);
        pending = run;
    });
    RestoreBackground(pending);
}

void FrameComposer::CopyBackground()
{
    std::swap(drawnSmallTiles_, previousSmallTiles_);
    drawnSmallTiles_.Clear();
    blind_ = targets_ && target_ == nullptr;
    if (blind_)
        return;
    if (!targets_)
        MakeOwnFrame();
    wholeFrameChanged_ = backgroundChanged_ || !incremental_;
    backgroundChanged_ = false;
    // Outside the tiles the last frame composed into these pixels drew, they still
    // show the background; only those tiles need it back.
    const TileMask* stale = &previousSmallTiles_;
    if (target_)
        stale = target_->background_ == backgroundId_ && incremental_ ? &target_->drawn_ : nullptr;
    else if (wholeFrameChanged_)
        stale = nullptr;
    if (stale) {
        RestoreTiles(*stale);
    } else if (plainBackground_) {
        RestoreBackground(Rect{0, 0, width_, height_});
    } else {
        frame_.CopyFrom(background_);
    }
}

void FrameComposer::DrawSmoke(Flight& flight)
{
    ::DrawSmoke(flight, puffs_);
}

void FrameComposer::PuffBlitter::DrawPuff(int picture, const Rect& square)
{
    if (owner_.blind_)
        return;
    owner_.smoke_.Draw(owner_.frame_, picture, square, owner_.drawnSmallTiles_);
}

void FrameComposer::DrawSprite(const Flight& flight, int i)
{
    if (blind_ || i < 0 || i >= PlaneCount || !sprites_.IsLoaded())
        return;
    const PlaneState& plane = flight.Planes[static_cast<size_t>(i)];
    // No picture for a heading outside 0..7 and no square for a size below 1.
    if (plane.Dir < 0 || plane.Dir >= HeadingCount || plane.Scale < 1)
        return;
    if (plane.KindSlot < 0 || plane.KindSlot >= KindCount)
        return;
    const int cellSize = flight.KindCellSize[static_cast<size_t>(plane.KindSlot)];
    const SpriteRects rects = SpriteGeometry(plane, cellSize, width_, height_);
    sprites_.Heading(plane.Dir).Draw(frame_, rects, scratch_, &drawnSmallTiles_);
}

void FrameComposer::Present()
{
    // A frame that draws nothing ages the large sizes too.
    sprites_.EndFrame();
    if (blind_)
        return;
    if (target_) {
        // The same size each time: a copy that allocates nothing.
        target_->drawn_ = drawnSmallTiles_;
        target_->background_ = backgroundId_;
        target_ = nullptr;
    }
    if (presenter_)
        presenter_(frame_);
}
