#include "FrameComposer.h"

#include "Flight.h"
#include "SpriteGeometry.h"
#include "StartFlightModel.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <utility>

namespace {

// Room for every draw of a busy frame: 100 aircraft and a full pool of smoke points of
// a handful of puffs each. A frame with more is composed in several rounds.
constexpr size_t DrawCapacity = 16384;
constexpr size_t BandEntryCapacity = 8 * DrawCapacity;
// Rows per band: the band of the frame and of the background together stay well
// within a core's second-level cache at 1920 pixels a row.
constexpr int BandRows = 32;

QImage ReadPicture(const QString& path)
{
    QImage picture(path);
    if (picture.isNull())
        throw std::runtime_error("cannot read the picture " + path.toStdString());
    return picture;
}

int BandOf(int y)
{
    return y / BandRows;
}

}  // namespace

FrameComposer::FrameComposer(int width, int height)
    : frame_(width, height, OpaqueBlack),
      background_(width, height, OpaqueBlack),
      drawn_(DrawCapacity, Rect{0, 0, width, height})
{
    const size_t bands = static_cast<size_t>(BandOf(std::max(height, 1) - 1) + 1);
    pending_.reserve(DrawCapacity);
    bandStart_.resize(bands + 1);
    bandFill_.resize(bands);
    bandEntries_.resize(BandEntryCapacity);
    scratch_.Columns.resize(static_cast<size_t>(std::max(width, 0)));
}

void FrameComposer::SetBackground(const QImage& background)
{
    Compose();
    background_ = SurfaceFromPicture(background, frame_.Width(), frame_.Height());
}

void FrameComposer::LoadKindSprites(int kind)
{
    std::array<QImage, HeadingCount> pictures;
    for (int d = 0; d < HeadingCount; ++d)
        pictures[static_cast<size_t>(d)] = ReadPicture(QStringLiteral(":/sprites/kind%1_%2.png").arg(kind).arg(d));
    LoadKindSprites(kind, pictures, KindCellEdge(kind));
}

void FrameComposer::LoadKindSprites(int kind, const std::array<QImage, HeadingCount>& pictures, int cellSize)
{
    Compose();
    sprites_.Load(kind, pictures, cellSize);
    for (int d = 0; d < HeadingCount; ++d)
        scratch_.FirstColumn.resize(std::max<size_t>(scratch_.FirstColumn.size(), sprites_.Heading(d).WidestSize() + 1));
}

void FrameComposer::LoadSmokeSurfaces()
{
    std::array<Surface, SmokePictureCount> pictures;
    for (int k = 0; k < SmokePictureCount; ++k) {
        const QImage picture = ReadPicture(QStringLiteral(":/smoke/smoke%1.png").arg(k));
        Surface& surface = pictures[static_cast<size_t>(k)];
        surface = SurfaceFromPicture(picture, SmokeCellSize, SmokeCellSize);
        surface.SetColorKey(0);
    }
    Compose();
    smoke_.Load(std::move(pictures));
}

void FrameComposer::SetPresenter(Presenter presenter)
{
    presenter_ = std::move(presenter);
}

const Surface& FrameComposer::Frame() const
{
    Compose();
    return frame_;
}

void FrameComposer::CopyBackground()
{
    // Whatever was pending is covered by the background.
    pending_.clear();
    pendingBandEntries_ = 0;
    backgroundPending_ = true;
    drawn_.Clear();
}

void FrameComposer::DrawSmoke(Flight& flight)
{
    ::DrawSmoke(flight, puffs_);
}

void FrameComposer::PuffRecorder::DrawPuff(int picture, const Rect& square)
{
    if (owner_.smoke_.Accepts(owner_.frame_, picture, square))
        owner_.Record(Draw{false, picture, SpriteRects{square, {}, 0, 0}});
}

void FrameComposer::DrawSprite(const Flight& flight, int i)
{
    if (i < 0 || i >= PlaneCount || !sprites_.IsLoaded())
        return;
    const PlaneState& plane = flight.Planes[static_cast<size_t>(i)];
    // No picture for a heading outside 0..7 and no square for a size below 1.
    if (plane.Dir < 0 || plane.Dir >= HeadingCount || plane.Scale < 1)
        return;
    if (plane.KindSlot < 0 || plane.KindSlot >= KindCount)
        return;
    const int cellSize = flight.KindCellSize[static_cast<size_t>(plane.KindSlot)];
    const SpriteRects rects = SpriteGeometry(plane, cellSize, frame_.Width(), frame_.Height());
    if (sprites_.Heading(plane.Dir).Accepts(frame_, rects))
        Record(Draw{true, plane.Dir, rects});
}

void FrameComposer::Present()
{
    Compose();
    if (presenter_)
        presenter_(frame_);
}

void FrameComposer::Record(const Draw& draw)
{
    const Rect& to = draw.Rects.Destination;
    const size_t bands = static_cast<size_t>(BandOf(to.Bottom - 1) - BandOf(to.Top) + 1);
    if (pending_.size() == DrawCapacity || pendingBandEntries_ + bands > BandEntryCapacity)
        Compose();
    pending_.push_back(draw);
    pendingBandEntries_ += bands;
    drawn_.Add(to);
}

void FrameComposer::Compose() const
{
    if (!backgroundPending_ && pending_.empty())
        return;

    // Each band's draws, in the order they were made.
    const size_t bands = bandFill_.size();
    std::fill(bandStart_.begin(), bandStart_.end(), 0);
    for (const Draw& draw : pending_)
        for (int b = BandOf(draw.Rects.Destination.Top); b <= BandOf(draw.Rects.Destination.Bottom - 1); ++b)
            ++bandStart_[static_cast<size_t>(b) + 1];
    for (size_t b = 0; b < bands; ++b)
        bandStart_[b + 1] += bandStart_[b];
    std::copy(bandStart_.begin(), bandStart_.end() - 1, bandFill_.begin());
    for (size_t k = 0; k < pending_.size(); ++k) {
        const Rect& to = pending_[k].Rects.Destination;
        for (int b = BandOf(to.Top); b <= BandOf(to.Bottom - 1); ++b)
            bandEntries_[bandFill_[static_cast<size_t>(b)]++] = static_cast<uint32_t>(k);
    }

    const int width = frame_.Width();
    const int height = frame_.Height();
    for (size_t b = 0; b < bands; ++b) {
        const RowSpan rows{static_cast<int32_t>(b) * BandRows, std::min(height, static_cast<int>(b + 1) * BandRows)};
        if (backgroundPending_ && width > 0)
            std::memcpy(frame_.Row(rows.Top), background_.Row(rows.Top),
                        static_cast<size_t>(rows.Bottom - rows.Top) * width * sizeof(uint32_t));
        for (uint32_t e = bandStart_[b]; e < bandStart_[b + 1]; ++e) {
            const Draw& draw = pending_[bandEntries_[e]];
            if (draw.IsAircraft)
                sprites_.Heading(draw.Picture).Draw(frame_, draw.Rects, scratch_, rows);
            else
                smoke_.Draw(frame_, draw.Picture, draw.Rects.Destination, rows);
        }
    }
    pending_.clear();
    pendingBandEntries_ = 0;
    backgroundPending_ = false;
}
