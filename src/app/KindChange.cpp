#include "KindChange.h"

#include "Flight.h"
#include "StartFlightModel.h"

#include <chrono>

void KindChange::Begin(const Flight& flight)
{
    if (making_.valid())
        return;
    random_ = flight.Random;
    making_ = std::async(std::launch::async, make_, NextKind(flight));
}

std::optional<KindSprites> KindChange::TakeReady(Flight& flight)
{
    if (!making_.valid() || making_.wait_for(std::chrono::seconds(0)) != std::future_status::ready)
        return std::nullopt;
    flight.Random = *random_;
    random_.reset();
    return making_.get();
}
