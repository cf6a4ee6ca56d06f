#include "Flight.h"
#include "FrameComposer.h"
#include "LaunchAircraft.h"
#include "SpriteGeometry.h"
#include "StartFlightModel.h"
#include "StepAircraft.h"
#include "TestPictures.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// The straightforward frame: every draw carried out at once, straight into the frame.
class DirectCanvas : public FrameCanvas, public PuffTarget {
public:
    DirectCanvas(int width, int height, const QImage& background, const std::array<QImage, HeadingCount>& pictures)
        : frame_(width, height), background_(SurfaceFromPicture(background, width, height))
    {
        sprites_.Load(0, pictures, 400);
        std::array<Surface, SmokePictureCount> smoke;
        for (int k = 0; k < SmokePictureCount; ++k) {
            smoke[static_cast<size_t>(k)] =
                SurfaceFromPicture(QImage(QStringLiteral(":/smoke/smoke%1.png").arg(k)), SmokeCellSize, SmokeCellSize);
            smoke[static_cast<size_t>(k)].SetColorKey(0);
        }
        smoke_.Load(std::move(smoke));
    }
    void CopyBackground() override { frame_.CopyFrom(background_); }
    void DrawSmoke(Flight& flight) override { ::DrawSmoke(flight, *this); }
    void DrawPuff(int picture, const Rect& square) override { smoke_.Draw(frame_, picture, square); }
    void DrawSprite(const Flight& flight, int i) override
    {
        const PlaneState& plane = flight.Planes[static_cast<size_t>(i)];
        const SpriteRects rects = SpriteGeometry(plane, 400, frame_.Width(), frame_.Height());
        sprites_.Heading(plane.Dir).Draw(frame_, rects, scratch_);
    }
    void Present() override {}
    const Surface& Frame() const { return frame_; }

private:
    Surface frame_;
    Surface background_;
    KindSprites sprites_;
    SmokePuffs smoke_;
    DrawScratch scratch_;
};

bool SameFrame(const Surface& a, const Surface& b)
{
    return a.Width() == b.Width() && a.Height() == b.Height() &&
           std::memcmp(a.Row(0), b.Row(0), sizeof(uint32_t) * size_t(a.Width()) * a.Height()) == 0;
}

QImage Gradient(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x % 256, y % 256, 128));
    return image;
}

}  // namespace

TEST(ComposerOrder, BandByBandFrameEqualsTheFrameDrawnStraightThrough)
{
    // Two identical busy shows, one composed by the composer and one drawn at once.
    const int width = 700;
    const int height = 500;
    const QImage background = Gradient(width, height);
    const auto pictures = BlockPictures(400, 0xFF000000u, 0xFFE0C040u);
    SaverSettings settings;
    settings.BlueCount = 100;
    Flight composed(settings, width, height, 23);
    Flight direct(settings, width, height, 23);
    StartFlightModel(composed);
    StartFlightModel(direct);

    FrameComposer composer(width, height);
    composer.SetBackground(background);
    composer.LoadSmokeSurfaces();
    composer.LoadKindSprites(0, pictures, 400);
    DirectCanvas reference(width, height, background, pictures);

    for (int frame = 0; frame < 120; ++frame) {
        LaunchAircraft(composed);
        StepAircraft(composed, composer);
        LaunchAircraft(direct);
        StepAircraft(direct, reference);
        ASSERT_TRUE(SameFrame(composer.Frame(), reference.Frame())) << "frame " << frame;
    }
    EXPECT_GT(composer.Drawn().Rects().size(), 200u);
}

TEST(ComposerOrder, FrameWithMoreDrawsThanRoomIsComposedInRounds)
{
    const int width = 300;
    const int height = 200;
    const QImage background = Gradient(width, height);
    const auto pictures = BlockPictures(400, 0xFF000000u, 0xFFE0C040u);
    SaverSettings settings;
    Flight flight(settings, width, height);
    flight.KindCellSize.fill(400);
    FrameComposer composer(width, height);
    composer.SetBackground(background);
    composer.LoadSmokeSurfaces();
    composer.LoadKindSprites(0, pictures, 400);
    DirectCanvas reference(width, height, background, pictures);

    composer.CopyBackground();
    reference.CopyBackground();
    // Overlapping aircraft in changing places, far more draws than one round holds.
    for (int n = 0; n < 20000; ++n) {
        PlaneState& plane = flight.Planes[static_cast<size_t>(n % PlaneCount)];
        plane.X = static_cast<int16_t>((n * 37) % (width + 40) - 20);
        plane.Y = static_cast<int16_t>((n * 53) % (height + 40) - 20);
        plane.Dir = static_cast<int16_t>(n % 8);
        plane.Scale = static_cast<int16_t>(1 + n % 3);
        composer.DrawSprite(flight, n % PlaneCount);
        reference.DrawSprite(flight, n % PlaneCount);
    }
    composer.Present();
    EXPECT_TRUE(SameFrame(composer.Frame(), reference.Frame()));
    EXPECT_TRUE(composer.Drawn().CoversWholeFrame());
}
