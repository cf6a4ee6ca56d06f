#include "Flight.h"
#include "FrameComposer.h"
#include "LaunchAircraft.h"
#include "StartFlightModel.h"
#include "StepAircraft.h"
#include "TestPictures.h"

#include <gtest/gtest.h>

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
    composer.LoadKindSprites(0, BlockPictures(400, 0xFF000000u, 0xFFE0E0E0u), 400);
    long frames = 0;
    composer.SetPresenter([&frames](const Surface&) { ++frames; });

    const long before = allocations.load();
    for (int frame = 0; frame < 400; ++frame) {
        LaunchAircraft(flight);
        StepAircraft(flight, composer);
    }
    EXPECT_EQ(allocations.load() - before, 0);
    EXPECT_EQ(frames, 400);
    int drawn = 0;
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x)
            drawn += composer.Frame().Pixel(x, y) != OpaqueBlack;
    EXPECT_GT(drawn, 2000) << "the frames must have drawn smoke and aircraft";
}
