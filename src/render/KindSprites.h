#pragma once

#include "HeadingPicture.h"
#include "Surface.h"

#include <array>
#include <cstdint>

constexpr int HeadingCount = 8;

// The transparent colour of one heading picture: black for kind 0, the picture's own
// top-left pixel for kinds 1..5 (0xRRGGBB).
uint32_t ColourKeyOf(int kind, const Surface& picture);

// The eight heading pictures of the aircraft kind being shown, keyed and made ready
// at every size an aircraft of size factor 1..10 is drawn at.
class KindSprites {
public:
    // pictures[d] is the decoded picture of heading d; the top-left cellSize x cellSize
    // of each is used.
    void Load(int kind, const std::array<Surface, HeadingCount>& pictures, int cellSize);

    bool IsLoaded() const { return loaded_; }
    const HeadingPicture& Heading(int d) const { return headings_[static_cast<size_t>(d)]; }

private:
    std::array<HeadingPicture, HeadingCount> headings_;
    bool loaded_ = false;
};
