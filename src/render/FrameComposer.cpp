#include "FrameComposer.h"

#include "Flight.h"
#include "SpriteGeometry.h"
#include "StartFlightModel.h"

#include <stdexcept>
#include <utility>

namespace {

// Room for every blit of a busy frame: 100 aircraft and a full pool of smoke points
// of a handful of puffs each.
constexpr size_t DrawnRectCapacity = 16384;

QImage ReadPicture(const QString& path)
{
    QImage picture(path);
    if (picture.isNull())
        throw std::runtime_error("cannot read the picture " + path.toStdString());
    return picture;
}

}  // namespace

FrameComposer::FrameComposer(int width, int height)
    : frame_(width, height, OpaqueBlack),
      background_(width, height, OpaqueBlack),
      drawn_(DrawnRectCapacity, Rect{0, 0, width, height}),
      columns_(static_cast<size_t>(std::max(width, 0)))
{
}

void FrameComposer::SetBackground(const QImage& background)
{
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
    sprites_.Load(kind, pictures, cellSize);
}

void FrameComposer::LoadSmokeSurfaces()
{
    for (int k = 0; k < SmokePictureCount; ++k) {
        const QImage picture = ReadPicture(QStringLiteral(":/smoke/smoke%1.png").arg(k));
        Surface surface = SurfaceFromPicture(picture, SmokeCellSize, SmokeCellSize);
        surface.SetColorKey(0);
        smoke_[static_cast<size_t>(k)] = std::move(surface);
    }
}

void FrameComposer::SetPresenter(Presenter presenter)
{
    presenter_ = std::move(presenter);
}

void FrameComposer::CopyBackground()
{
    frame_.CopyFrom(background_);
    drawn_.Clear();
}

void FrameComposer::DrawSmoke(Flight& flight)
{
    ::DrawSmoke(flight, puffs_);
}

void FrameComposer::PuffBlitter::DrawPuff(int picture, const Rect& square)
{
    if (picture < 0 || picture >= SmokePictureCount)
        return;
    const Surface& puff = owner_.smoke_[static_cast<size_t>(picture)];
    if (owner_.frame_.BlitKeyed(square, puff, Rect{0, 0, puff.Width(), puff.Height()}))
        owner_.drawn_.Add(square);
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
    if (sprites_.Heading(plane.Dir).Draw(frame_, rects, columns_))
        drawn_.Add(rects.Destination);
}

void FrameComposer::Present()
{
    if (presenter_)
        presenter_(frame_);
}
