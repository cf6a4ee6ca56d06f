#include "DrawnRegion.h"

DrawnRegion::DrawnRegion(size_t capacity, const Rect& wholeFrame)
    : capacity_(capacity), wholeFrame_(wholeFrame)
{
    rects_.reserve(capacity);
}

void DrawnRegion::Clear()
{
    rects_.clear();
    overflowed_ = false;
}

void DrawnRegion::Add(const Rect& rect)
{
    if (overflowed_)
        return;
    if (rects_.size() == capacity_) {
        overflowed_ = true;
        return;
    }
    rects_.push_back(rect);
}

std::span<const Rect> DrawnRegion::Rects() const
{
    if (overflowed_)
        return {&wholeFrame_, 1};
    return rects_;
}
