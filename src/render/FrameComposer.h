#pragma once

#include "FrameCanvas.h"
#include "FrameMemory.h"
#include "KindSprites.h"
#include "SmokeDrawing.h"
#include "SmokePuffs.h"
#include "Surface.h"
#include "TileMask.h"

#include <array>
#include <functional>
#include <vector>

// Composes the frames of the two-dimensional show, W x H: the background copied whole,
// the smoke puffs, the aircraft, then the finished frame handed to the presenter.
// Every buffer is made up front; composing a frame allocates nothing.
class FrameComposer : public FrameCanvas {
public:
    using Presenter = std::function<void(const Surface&)>;

    FrameComposer(int width, int height);

    // The show-size background picture (its top-left W x H is used).
    void SetBackground(const Surface& background);
    // The same, taking over a W x H picture instead of copying it.
    void SetBackground(Surface&& background);
    // A background of one colour (0xRRGGBB), with no picture of the frame's size at all.
    void SetBackgroundColour(uint32_t rgb);
    // The eight heading pictures of kind 0..5: pictures[d] for heading d, cellSize x
    // cellSize (the platform reads them: ReadHeadingPictures).
    void LoadKindSprites(int kind, std::array<Surface, HeadingCount> pictures, int cellSize);
    // Heading pictures made ready elsewhere (KindSprites::Load), on any thread, while
    // this composer went on with the kind it had.
    void UseKindSprites(KindSprites sprites);
    // Those pictures' reading and sizes not made yet, on other threads from now on.
    void MakeTheRestOfTheKindInTheBackground() { sprites_.MakeTheRestInTheBackground(); }
    // The seven smoke pictures, black transparent (the platform reads them:
    // ReadSmokePictures).
    void LoadSmokeSurfaces(const std::array<Surface, SmokePictureCount>& pictures);
    void SetPresenter(Presenter presenter);
    // Composes from now on into W x H pixels the caller owns (rows top to bottom, no
    // padding), for a presenter whose screen reads them where they are: a frame is then
    // never copied on its way out. The next frame is composed whole.
    void ComposeInto(uint32_t* pixels);
    // From now on each frame is composed into the pixels NextFrameInto hands over for it,
    // for a screen that takes frames in buffers of its own, and the composer keeps no
    // frame of its own. A frame with none handed over is not drawn; its smoke still ages.
    // Call before SetBackground, which otherwise makes the composer's own frame.
    void ComposeIntoTargets() { targets_ = true; }
    // W x H pixels the caller owns (rows top to bottom, no padding) that the next frame
    // is composed into; memory, kept beside them, says what they hold and is brought up
    // to date when that frame is presented.
    void NextFrameInto(uint32_t* pixels, FrameMemory& memory);

    // The frame being composed or last composed. Every pixel is opaque, so a presenter
    // may ignore alpha.
    const Surface& Frame() const { return frame_; }
    // The last frame presented differs from the one before it everywhere (a new
    // background, or not incremental): the screen must take it whole.
    bool WholeFrameChanged() const { return wholeFrameChanged_; }

    // Each frame restores the background only where the previous frame drew, instead of
    // copying it whole; the pixels are the same either way. Off: always the whole copy.
    void SetIncremental(bool on) { incremental_ = on; }
    // The parts of the frame that differ from the previous presented frame, as runs of
    // tiles along each row, in pixels; calls visit(Rect) for each. The whole frame after
    // a new background or when not incremental.
    template <typename Visit>
    void ForEachChangedRun(Visit visit) const
    {
        if (wholeFrameChanged_)
            visit(Rect{0, 0, width_, height_});
        else
            drawnSmallTiles_.ForEachRun(&previousSmallTiles_, visit);
    }
    // The most runs ForEachChangedRun can report for one frame: tiles on and off in turn
    // along every row.
    int MostChangedRuns() const;
    // The same in 32 x 32 tiles: fewer, larger runs, for a screen that pays more for
    // each rectangle than for its pixels (GDI copies each run with a call of its own).
    template <typename Visit>
    void ForEachChangedBlock(Visit visit) const
    {
        if (wholeFrameChanged_) {
            visit(Rect{0, 0, width_, height_});
            return;
        }
        blocks_.Clear();
        blocks_.MarkCovering(drawnSmallTiles_);
        blocks_.MarkCovering(previousSmallTiles_);
        blocks_.ForEachRun(nullptr, visit);
    }

    void CopyBackground() override;
    void DrawSmoke(Flight& flight) override;
    void DrawSprite(const Flight& flight, int i) override;
    void Present() override;

private:
    class PuffBlitter : public PuffTarget {
    public:
        explicit PuffBlitter(FrameComposer& owner) : owner_(owner) {}
        void DrawPuff(int picture, const Rect& square) override;

    private:
        FrameComposer& owner_;
    };

    void RestoreBackground(const Rect& run);
    void RestoreTiles(const TileMask& tiles);
    void MakeOwnFrame();

    int width_;
    int height_;
    Surface frame_;  // empty until first needed, and while a frame has no target
    Surface background_;
    KindSprites sprites_;
    SmokePuffs smoke_;
    PuffBlitter puffs_{*this};
    DrawScratch scratch_;
    Presenter presenter_;
    // What this frame and the previous one drew, in 8 x 8 tiles: the background is
    // restored where the previous frame drew, and the screen gets both.
    TileMask drawnSmallTiles_;
    TileMask previousSmallTiles_;
    mutable TileMask blocks_;  // made from the two above when asked for
    // The background is one colour, as the plain-colour choices make it (black until one
    // is set); background_ is then empty.
    bool plainBackground_ = true;
    uint32_t backgroundColour_ = OpaqueBlack;
    bool incremental_ = true;
    bool targets_ = false;
    bool blind_ = false;  // this frame has no target: nothing is drawn
    FrameMemory* target_ = nullptr;  // what the frame being composed goes into holds
    unsigned backgroundId_;          // unique among all composers' backgrounds
    bool backgroundChanged_ = true;
    bool wholeFrameChanged_ = true;
};
