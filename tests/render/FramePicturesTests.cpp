// The pictures the Linux program carries, read through Qt, and the frame handed to Qt
// without a copy.
#include "Flight.h"
#include "FrameComposer.h"
#include "LaunchAircraft.h"
#include "QtPictures.h"
#include "SpriteGeometry.h"
#include "StartFlightModel.h"
#include "StepAircraft.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <utility>
#include <string>

namespace {

constexpr uint32_t Blue = 0xFF1030A0u;

}  // namespace

TEST(FramePictures, FrameViewSharesThePixels)
{
    Surface frame(30, 20, Blue);
    frame.Row(19)[29] = 0xFF00131Du;
    const QImage view = ImageView(frame, QImage::Format_RGB32);
    EXPECT_EQ(view.constBits(), reinterpret_cast<const uchar*>(frame.Row(0)));
    EXPECT_EQ(view.pixel(29, 19), 0xFF00131Du);
}

TEST(FramePictures, DecodedPicturesArePremultiplied)
{
    QImage picture(2, 1, QImage::Format_ARGB32);
    picture.setPixel(0, 0, qRgba(200, 100, 50, 255));
    picture.setPixel(1, 0, qRgba(255, 255, 255, 0));
    const Surface surface = SurfaceOfImage(picture);
    ASSERT_EQ(surface.Width(), 2);
    EXPECT_EQ(surface.Pixel(0, 0), 0xFFC86432u);
    EXPECT_EQ(surface.Pixel(1, 0), 0u);
}

TEST(FramePictures, SmokePicturesHaveTheirDotCounts)
{
    const int dots[] = {1686, 1545, 1046, 560, 435, 193, 81};
    for (int k = 0; k < 7; ++k) {
        const QImage picture = ImageOfAsset("smoke/smoke" + std::to_string(k) + ".png").convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(picture.size(), QSize(64, 64)) << k;
        int white = 0;
        int other = 0;
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x) {
                const QRgb p = picture.pixel(x, y);
                white += p == 0xFFFFFFFFu;
                other += p != 0xFFFFFFFFu && p != 0xFF000000u;
            }
        EXPECT_EQ(white, dots[k]) << k;
        EXPECT_EQ(other, 0) << k;
    }
}

TEST(FramePictures, EveryKindDrawsFromTheProgramsOwnPictures)
{
    for (int kind = 0; kind < KindCount; ++kind) {
        const int edge = KindCellEdge(kind);
        for (int d = 0; d < HeadingCount; ++d)
            ASSERT_EQ(ImageOfAsset("sprites/kind" + std::to_string(kind) + "_" + std::to_string(d) + ".png").size(), QSize(edge, edge))
                << "kind " << kind << " heading " << d;

        SaverSettings settings;
        Flight flight(settings, 320, 240);
        flight.KindCellSize.fill(static_cast<int16_t>(edge));
        FrameComposer composer(320, 240);
        composer.SetBackground(Surface(320, 240, Blue));
        composer.LoadKindSprites(kind, ReadHeadingPictures(kind), edge);
        PlaneState& plane = flight.Planes[0];
        plane.X = 150;
        plane.Y = 120;
        plane.Dir = 3;
        plane.Scale = 2;
        composer.CopyBackground();
        composer.DrawSprite(flight, 0);
        const Rect square = SpriteGeometry(plane, edge, 320, 240).Destination;
        int painted = 0;
        for (int y = 0; y < 240; ++y)
            for (int x = 0; x < 320; ++x)
                painted += composer.Frame().Pixel(x, y) != Blue;
        // The aircraft covers part of its square and nothing outside it.
        EXPECT_GT(painted, square.Width() * square.Height() / 10) << "kind " << kind;
        EXPECT_LT(painted, square.Width() * square.Height()) << "kind " << kind;
        EXPECT_EQ(composer.Frame().Pixel(square.Left, square.Top), Blue) << "kind " << kind;
    }
}

TEST(FramePictures, MissingHeadingPictureIsReportedByName)
{
    try {
        ReadHeadingPictures(9);
        FAIL() << "no pictures exist for kind 9";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("sprites/kind9_0.png"), std::string::npos);
    }
}

TEST(FramePictures, AFlightsFirstFrameDrawsNoSmokeSoTheShowLoadsItsPicturesAfterIt)
{
    for (int16_t flightMode : {0, 1}) {
        SaverSettings settings;
        settings.FlightMode = flightMode;
        settings.BlueCount = 100;
        settings.SmokeLength = 200;
        Flight withSmoke(settings, 800, 600, 5);
        Flight without(settings, 800, 600, 5);
        FrameComposer loaded(800, 600);
        FrameComposer notYet(800, 600);
        loaded.LoadSmokeSurfaces(ReadSmokePictures());
        for (auto [flight, composer] : {std::pair{&withSmoke, &loaded}, std::pair{&without, &notYet}}) {
            composer->SetBackground(Surface(800, 600, Blue));
            const int16_t kind = StartFlightModel(*flight);
            composer->LoadKindSprites(kind, ReadHeadingPictures(kind), KindCellEdge(kind));
            LaunchAircraft(*flight);
            StepAircraft(*flight, *composer);
        }
        for (int y = 0; y < 600; ++y)
            for (int x = 0; x < 800; ++x)
                ASSERT_EQ(loaded.Frame().Pixel(x, y), notYet.Frame().Pixel(x, y))
                    << "flight mode " << flightMode << " at " << x << ", " << y;
        // The smoke is on: trails start within the next frames.
        auto laid = [&withSmoke] {
            return std::any_of(withSmoke.SmokePoints.begin(), withSmoke.SmokePoints.end(),
                               [](const SmokePoint& p) { return p.Used != 0; });
        };
        for (int frame = 0; frame < 300 && !laid(); ++frame) {
            LaunchAircraft(withSmoke);
            StepAircraft(withSmoke, loaded);
        }
        EXPECT_TRUE(laid()) << "flight mode " << flightMode;
    }
}
