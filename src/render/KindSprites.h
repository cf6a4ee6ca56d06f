#pragma once

#include "HeadingPicture.h"
#include "Surface.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

constexpr int HeadingCount = 8;

// The transparent colour of one heading picture: black for kind 0, the picture's own
// top-left pixel for kinds 1..5 (0xRRGGBB).
uint32_t ColourKeyOf(int kind, const Surface& picture);

// Reads the decoded picture of heading 0..7, on any thread; an empty surface when it
// cannot. Must not throw.
using HeadingReader = std::function<Surface(int heading)>;

// The eight heading pictures of the aircraft kind being shown, keyed and made ready
// at every size an aircraft of size factor 1..10 is drawn at.
class KindSprites {
public:
    KindSprites();
    KindSprites(KindSprites&&) noexcept;
    KindSprites& operator=(KindSprites&&) noexcept;
    // Stops making sizes nobody has asked for yet.
    ~KindSprites();

    // pictures[d] is the decoded picture of heading d; the top-left cellSize x cellSize
    // of each is used. Every size is made before Load returns.
    void Load(int kind, const std::array<Surface, HeadingCount>& pictures, int cellSize);
    // The same, but returns at once, having read and made nothing: a draw that needs a size
    // makes it, reading its picture first if need be, or waits for another thread making
    // it. A show's first frame then waits only for its own pictures and sizes.
    void Start(int kind, HeadingReader read, int cellSize);
    // After Start: reads the other pictures and makes the other sizes on other threads,
    // smallest (the most drawn) first. Called once the first frame is shown, so they do
    // not compete with it for the processor.
    void MakeTheRestInTheBackground();

    bool IsLoaded() const { return making_ != nullptr; }
    const HeadingPicture& Heading(int d) const;

private:
    struct Making;
    std::unique_ptr<Making> making_;
};
