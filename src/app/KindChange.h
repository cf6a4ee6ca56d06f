#pragma once

#include "KindSprites.h"
#include "RandomSource.h"

#include <functional>
#include <future>
#include <optional>

struct Flight;

// A change of aircraft kind in a running 2D show. Making the eight heading pictures
// takes a few tenths of a second, so they are made on other threads while the present
// flight flies on. The new flight starts once they are ready, with the random source
// put back where it was when the change was asked: it draws the kind the pictures were
// made for, and all else as a restart at that moment would have.
class KindChange {
public:
    using Maker = std::function<KindSprites(int kind)>;
    explicit KindChange(Maker make) : make_(std::move(make)) {}

    // Asked by the kind-change timer: starts making the pictures of the kind the
    // restart will choose. Ignored while a change is under way.
    void Begin(const Flight& flight);

    // Asked once per frame: the pictures when they are ready, the random source then
    // back as it was at Begin. A failure to make them is thrown here.
    std::optional<KindSprites> TakeReady(Flight& flight);

private:
    Maker make_;
    std::future<KindSprites> making_;
    std::optional<RandomSource> random_;
};
