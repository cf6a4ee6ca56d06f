#pragma once

#include "TileMask.h"

// What a block of pixels that frames are composed into holds, kept beside those pixels by
// their owner (see FrameComposer::NextFrameInto): the tiles where the last frame composed
// into them differs from the background, so that the next frame there restores only
// those. New pixels hold nothing known and are composed whole.
class FrameMemory {
public:
    // Meaningful once HoldsFrame.
    const TileMask& Drawn() const { return drawn_; }
    bool HoldsFrame() const { return background_ != 0; }

private:
    friend class FrameComposer;

    TileMask drawn_{0, 0};
    unsigned background_ = 0;  // the composer's background they were composed over; 0: none
};
