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

// The eight heading pictures of the aircraft kind being shown, keyed and made ready at
// every size an aircraft of size factor 1..10 is drawn at: those of factors 1..5, which
// most aircraft fly at, ahead; those of 6..10 when first drawn, given back when no longer
// drawn.
class KindSprites {
public:
    // Frames between two looks for large sizes no aircraft drew since the last look: a
    // size goes 3 to 6 s after its last draw at 60 frames a second. A large aircraft's
    // pass takes 20 to 40 frames at the usual step (ten times that at the slowest), so
    // it makes each of its sizes once however it turns; making one again for a later
    // pass costs a few milliseconds.
    static constexpr int FramesBetweenGiveBacks = 180;

    KindSprites();
    KindSprites(KindSprites&&) noexcept;
    KindSprites& operator=(KindSprites&&) noexcept;
    // Stops making sizes nobody has asked for yet.
    ~KindSprites();

    // Reads the pictures with read (heading d's picture, the top-left cellSize x cellSize
    // of it is used) and makes the sizes made ahead before it returns. read is kept: a
    // large size reads its picture again.
    void Load(int kind, HeadingReader read, int cellSize);
    // The same with pictures already read: pictures[d] is heading d's. They are kept.
    void Load(int kind, std::array<Surface, HeadingCount> pictures, int cellSize);
    // The same, but returns at once, having read and made nothing: a draw that needs a size
    // makes it, reading its picture first if need be, or waits for another thread making
    // it. A show's first frame then waits only for its own pictures and sizes.
    void Start(int kind, HeadingReader read, int cellSize);
    // After Start: reads the other pictures and makes the other sizes made ahead on other
    // threads, a heading at a time. Called once the first frame is shown, so they do not
    // compete with it for the processor.
    void MakeTheRestInTheBackground();

    bool IsLoaded() const { return making_ != nullptr; }
    const HeadingPicture& Heading(int d) const;
    // A frame is drawn: every FramesBetweenGiveBacks frames, the large sizes no aircraft
    // drew since the last time are given back. On the drawing thread.
    void EndFrame();

private:
    struct Making;
    std::unique_ptr<Making> making_;
};
