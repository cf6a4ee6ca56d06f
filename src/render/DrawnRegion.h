#pragma once

#include "Rect.h"

#include <cstddef>
#include <span>
#include <vector>

// The rectangles drawn into the frame since it was last cleared, so that restoring the
// background and putting the frame on screen can be limited to what changed. Its room
// is fixed when it is made; past that it stands for the whole frame.
class DrawnRegion {
public:
    DrawnRegion(size_t capacity, const Rect& wholeFrame);

    void Clear();
    void Add(const Rect& rect);
    bool CoversWholeFrame() const { return overflowed_; }
    std::span<const Rect> Rects() const;

private:
    std::vector<Rect> rects_;
    size_t capacity_;
    Rect wholeFrame_;
    bool overflowed_ = false;
};
