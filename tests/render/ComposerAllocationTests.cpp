#include "Flight.h"
#include "FrameComposer.h"
#include "LaunchAircraft.h"
#include "StartFlightModel.h"
#include "StepAircraft.h"
#include "TestPictures.h"

#include <gtest/gtest.h>

#include <array>

#include "CountingAllocator.h"

TEST(ComposerAllocation, BusyShowComposesFramesWithoutAllocating)
{
    SaverSettings settings;
    settings.BlueCount = 100;
    settings.SmokeLength = 150;
    Flight flight(settings, 800, 600, 11);
    StartFlightModel(flight);
    FrameComposer composer(800, 600);
    composer.SetBackground(Surface(800, 600));
    composer.LoadSmokeSurfaces(StippleSmokePictures());
    // A large aircraft's size is made, reading its picture again, by the frame that first
    // draws it: only the frames that read no picture are counted.
    const std::array<Surface, HeadingCount> pictures = BlockPictures(400, 0xFF000000u, 0xFFE0E0E0u);
    int reads = 0;
    KindSprites sprites;
    sprites.Load(0, [&](int d) { ++reads; return pictures[static_cast<size_t>(d)]; }, 400);
    composer.UseKindSprites(std::move(sprites));
    long frames = 0;
    composer.SetPresenter([&frames](const Surface&) { ++frames; });

    long allocated = 0;
    int counted = 0;
    for (int frame = 0; frame < 400; ++frame) {
        const long before = allocations.load();
        const int readsBefore = reads;
        LaunchAircraft(flight);
        StepAircraft(flight, composer);
        if (reads == readsBefore) {
            allocated += allocations.load() - before;
            ++counted;
        }
    }
    EXPECT_EQ(allocated, 0);
    EXPECT_GT(counted, 300) << "frames that made a size: " << 400 - counted;
    EXPECT_EQ(frames, 400);
    int drawn = 0;
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x)
            drawn += composer.Frame().Pixel(x, y) != OpaqueBlack;
    EXPECT_GT(drawn, 2000) << "the frames must have drawn smoke and aircraft";
}
