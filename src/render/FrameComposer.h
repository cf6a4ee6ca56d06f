#pragma once

#include "DrawnRegion.h"
#include "FrameCanvas.h"
#include "KindSprites.h"
#include "SmokeDrawing.h"
#include "SmokePuffs.h"
#include "Surface.h"

#include <QImage>

#include <array>
#include <functional>
#include <vector>

// Composes the frames of the two-dimensional show, W x H: the background copied whole,
// the smoke puffs, the aircraft, then the finished frame handed to the presenter.
//
// The draws are recorded as they come and carried out when the frame is needed (at
// Present or Frame()), band of rows by band of rows: each band gets the background and
// then every draw that touches it, in the order they were made, while the band is in
// the cache. Every pixel therefore goes through the same steps in the same order as if
// each draw had been carried out at once; only the cache misses are fewer.
// Every buffer is made up front; composing a frame allocates nothing.
class FrameComposer : public FrameCanvas {
public:
    using Presenter = std::function<void(const Surface&)>;

    FrameComposer(int width, int height);

    // The show-size background picture (its top-left W x H is used).
    void SetBackground(const QImage& background);
    // The eight heading pictures of kind 0..5 from :/sprites/kind<k>_<d>.png.
    // Throws std::runtime_error naming the picture that cannot be read.
    void LoadKindSprites(int kind);
    // The same from pictures at hand: pictures[d] for heading d, cellSize x cellSize.
    void LoadKindSprites(int kind, const std::array<QImage, HeadingCount>& pictures, int cellSize);
    // The seven smoke pictures from :/smoke/smoke<k>.png, black transparent.
    // Throws std::runtime_error naming the picture that cannot be read.
    void LoadSmokeSurfaces();
    void SetPresenter(Presenter presenter);

    // The frame with everything drawn so far. Every pixel is opaque, so a presenter
    // may read it as Format_RGB32: Frame().AsImage(QImage::Format_RGB32).
    const Surface& Frame() const;
    // What was drawn over the background since the last CopyBackground.
    const DrawnRegion& Drawn() const { return drawn_; }

    void CopyBackground() override;
    void DrawSmoke(Flight& flight) override;
    void DrawSprite(const Flight& flight, int i) override;
    void Present() override;

private:
    class PuffRecorder : public PuffTarget {
    public:
        explicit PuffRecorder(FrameComposer& owner) : owner_(owner) {}
        void DrawPuff(int picture, const Rect& square) override;

    private:
        FrameComposer& owner_;
    };

    // A draw waiting for its frame: smoke picture or heading Picture over Rects.
    struct Draw {
        bool IsAircraft;
        int Picture;
        SpriteRects Rects;  // a puff has only its Destination
    };

    void Record(const Draw& draw);
    // Carries out what is pending (background copy and draws), band by band.
    void Compose() const;

    // Composing is deferred, so the frame and the work on it change even when the
    // finished frame is only being read.
    mutable Surface frame_;
    mutable bool backgroundPending_ = false;
    mutable std::vector<Draw> pending_;
    mutable size_t pendingBandEntries_ = 0;
    mutable std::vector<uint32_t> bandStart_;    // draws of band b: bandEntries_[bandStart_[b] .. bandStart_[b + 1]]
    mutable std::vector<uint32_t> bandEntries_;
    mutable std::vector<uint32_t> bandFill_;
    mutable DrawScratch scratch_;

    Surface background_;
    KindSprites sprites_;
    SmokePuffs smoke_;
    DrawnRegion drawn_;
    PuffRecorder puffs_{*this};
    Presenter presenter_;
};
