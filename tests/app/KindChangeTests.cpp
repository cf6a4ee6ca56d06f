#include "Flight.h"
#include "KindChange.h"
#include "SaverSettings.h"
#include "StartFlightModel.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <memory>

TEST(KindChange, TheShowGoesOnWhileTheNextKindIsMadeThenRestartsAsItWouldHaveAtOnce)
{
    SaverSettings settings;
    settings.AirplaneKind = 101;
    auto flight = std::make_unique<Flight>(settings, 640, 480, 11);
    StartFlightModel(*flight);
    // What a restart at the moment of the change draws.
    auto atOnce = std::make_unique<Flight>(*flight);
    const int16_t kind = StartFlightModel(*atOnce);

    // The pictures are ready only once the show has gone on for ten frames (or, if it
    // stands still waiting for them, after ten seconds).
    std::promise<void> tenFrames;
    std::shared_future<void> flown = tenFrames.get_future().share();
    int made = -1;
    KindChange change([&made, flown](int k) {
        flown.wait_for(std::chrono::seconds(10));
        made = k;
        return KindSprites();
    });
    change.Begin(*flight);
    int frames = 0;
    std::optional<KindSprites> ready;
    while (!(ready = change.TakeReady(*flight))) {
        flight->Rnd();  // a frame of the present flight draws from the same source
        if (++frames == 10)
            tenFrames.set_value();
    }
    EXPECT_GE(frames, 10) << "the show stood still while the pictures were made";
    EXPECT_EQ(made, kind);
    EXPECT_EQ(StartFlightModel(*flight), kind);
    for (int i = 0; i < 20; ++i)
        ASSERT_EQ(flight->Rnd(), atOnce->Rnd()) << "draw " << i;
}
