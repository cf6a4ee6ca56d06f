// Restoring the background only where the last frame drew must give exactly the frames
// a full copy gives, and the changed tiles handed to the screen must hold every pixel
// that differs from the previous frame, as must the larger blocks.
#include "Flight.h"
#include "FrameComposer.h"
#include "LaunchAircraft.h"
#include "QtPictures.h"
#include "StartFlightModel.h"
#include "StepAircraft.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

constexpr int Width = 800;
constexpr int Height = 600;

Surface Background()
{
    Surface image(Width, Height);
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x)
            image.Row(y)[x] = 0xFF000000u | uint32_t(x % 256) << 16 | uint32_t(y % 256) << 8 | uint32_t((x * y) % 256);
    return image;
}

struct Show {
    SaverSettings settings;
    Flight flight;
    FrameComposer composer{Width, Height};

    Show(int16_t flightMode, bool incremental, const Surface& background = Background())
        : flight(settings, Width, Height, 99)
    {
        settings.FlightMode = flightMode;
        settings.BlueCount = 100;
        settings.SmokeLength = 200;
        composer.SetIncremental(incremental);
        composer.SetBackground(background);
        composer.LoadSmokeSurfaces(ReadSmokePictures());
        const int16_t kind = StartFlightModel(flight);
        composer.LoadKindSprites(kind, ReadHeadingPictures(kind), KindCellEdge(kind));
    }

    void Frame()
    {
        LaunchAircraft(flight);
        StepAircraft(flight, composer);
    }
};

bool SameRow(const Surface& a, const Surface& b, int y, int left, int right)
{
    return std::memcmp(a.Row(y) + left, b.Row(y) + left, sizeof(uint32_t) * static_cast<size_t>(right - left)) == 0;
}

}  // namespace

TEST(IncrementalFrames, EqualTheFullCopyFrameByFrame)
{
    for (int16_t flightMode : {0, 1}) {
        Show incremental(flightMode, true);
        Show full(flightMode, false);
        for (int frame = 0; frame < 700; ++frame) {
            incremental.Frame();
            full.Frame();
            for (int y = 0; y < Height; ++y)
                ASSERT_TRUE(SameRow(incremental.composer.Frame(), full.composer.Frame(), y, 0, Width))
                    << "flight mode " << flightMode << ", frame " << frame << ", row " << y;
        }
    }
}

TEST(IncrementalFrames, APlainBackgroundIsFilledInToTheSameFrames)
{
    const Surface plain(Width, Height, 0xFF3060C0u);
    Show incremental(0, true, plain);
    Show full(0, false, plain);
    for (int frame = 0; frame < 300; ++frame) {
        incremental.Frame();
        full.Frame();
        for (int y = 0; y < Height; ++y)
            ASSERT_TRUE(SameRow(incremental.composer.Frame(), full.composer.Frame(), y, 0, Width))
                << "frame " << frame << ", row " << y;
    }
}

TEST(IncrementalFrames, ChangedTilesHoldEveryChangedPixel)
{
    Show show(0, true);
    Surface previous(Width, Height);
    int wholeFrames = 0;
    for (int frame = 0; frame < 300; ++frame) {
        previous.CopyFrom(show.composer.Frame());
        show.Frame();
        // Mark the changed runs, then every pixel outside them must be as before.
        std::vector<std::vector<bool>> changed(Height, std::vector<bool>(Width, false));
        int changedPixels = 0;
        show.composer.ForEachChangedRun([&](const Rect& r) {
            if (r == Rect{0, 0, Width, Height})
                ++wholeFrames;
            for (int y = r.Top; y < r.Bottom; ++y)
                for (int x = r.Left; x < r.Right; ++x) {
                    changed[y][x] = true;
                    ++changedPixels;
                }
        });
        // The larger blocks hold the runs.
        std::vector<std::vector<bool>> blocks(Height, std::vector<bool>(Width, false));
        show.composer.ForEachChangedBlock([&](const Rect& r) {
            for (int y = r.Top; y < r.Bottom; ++y)
                for (int x = r.Left; x < r.Right; ++x)
                    blocks[y][x] = true;
        });
        for (int y = 0; y < Height; ++y) {
            for (int x = 0; x < Width; ++x) {
                ASSERT_TRUE(blocks[y][x] || !changed[y][x]) << "frame " << frame << " at " << x << ',' << y;
                if (!changed[y][x]) {
                    ASSERT_EQ(show.composer.Frame().Pixel(x, y), previous.Pixel(x, y))
                        << "frame " << frame << " at " << x << ',' << y;
                }
            }
        }
        if (frame > 0) {
            EXPECT_LT(changedPixels, Width * Height) << "frame " << frame << " sent whole";
        }
    }
    EXPECT_EQ(wholeFrames, 1) << "only the first frame is sent whole";
}
