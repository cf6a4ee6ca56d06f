#include "Flight.h"
#include "FrameComposer.h"
#include "LaunchAircraft.h"
#include "SpriteGeometry.h"
#include "StartFlightModel.h"
#include "StepAircraft.h"
#include "TestPictures.h"
#include "TileMask.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

constexpr uint32_t Blue = 0xFF1030A0u;
constexpr uint32_t Magenta = 0xFFFF00FFu;
constexpr uint32_t Yellow = 0xFFF0D020u;
constexpr uint32_t White = 0xFFFFFFFFu;

Surface Plain(int width, int height, uint32_t colour)
{
    return Surface(width, height, colour);
}

class FrameComposerTest : public ::testing::Test {
protected:
    FrameComposerTest() { settings.SmokeLength = 150; }

    PlaneState& Place(int i, int x, int y, int dir, int scale)
    {
        PlaneState& p = flight.Planes[static_cast<size_t>(i)];
        p.X = static_cast<int16_t>(x);
        p.Y = static_cast<int16_t>(y);
        p.Dir = static_cast<int16_t>(dir);
        p.Scale = static_cast<int16_t>(scale);
        return p;
    }

    SaverSettings settings;
    Flight flight{settings, 320, 240, 3};
    FrameComposer composer{320, 240};
};

bool Inside(const Rect& r, int x, int y)
{
    return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
}

}  // namespace

TEST_F(FrameComposerTest, AircraftCoverOnlyTheirSquaresAndNoKeyColourIsCopied)
{
    // Kind 1 pictures on magenta with yellow bodies; key pixels sprinkled through the body
    // must vanish too.
    Surface picture = BlockPicture(180, Magenta, Yellow);
    for (int i = 60; i < 120; i += 7)
        picture.Row(90)[i] = Magenta;
    std::array<Surface, HeadingCount> pictures;
    pictures.fill(picture);
    composer.SetBackground(Plain(320, 240, Blue));
    composer.LoadKindSprites(1, pictures, 180);
    flight.KindCellSize.fill(180);

    Place(0, 100, 100, 2, 2);
    Place(1, 300, 200, 1, 1);  // runs over the right edge: cut
    composer.CopyBackground();
    composer.DrawSprite(flight, 0);
    composer.DrawSprite(flight, 1);
    const Rect first = SpriteGeometry(flight.Planes[0], 180, 320, 240).Destination;
    const Rect second = SpriteGeometry(flight.Planes[1], 180, 320, 240).Destination;
    ASSERT_EQ(first, (Rect{100, 55, 190, 145}));
    ASSERT_EQ(second.Right, 320);

    const Surface& frame = composer.Frame();
    int yellow = 0;
    for (int y = 0; y < 240; ++y) {
        for (int x = 0; x < 320; ++x) {
            const uint32_t p = frame.Pixel(x, y);
            ASSERT_NE(p, Magenta) << x << "," << y;
            if (!Inside(first, x, y) && !Inside(second, x, y)) {
                ASSERT_EQ(p, Blue) << x << "," << y;
            }
            yellow += p == Yellow;
        }
    }
    EXPECT_GT(yellow, 1500);
    EXPECT_EQ(frame.Pixel(145, 100), Yellow);

    // The next frame starts again from the background, and hands the screen the tiles
    // both aircraft drew into, not the corners their pictures leave empty.
    const Surface drawn = frame;
    composer.CopyBackground();
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x)
            ASSERT_EQ(composer.Frame().Pixel(x, y), Blue) << x << "," << y;
    std::vector<Rect> changed;
    composer.ForEachChangedRun([&changed](const Rect& r) { changed.push_back(r); });
    const auto sent = [&changed](int x, int y) {
        return std::any_of(changed.begin(), changed.end(), [&](const Rect& r) { return Inside(r, x, y); });
    };
    for (int y = 0; y < 240; ++y) {
        for (int x = 0; x < 320; ++x) {
            if (drawn.Pixel(x, y) != Blue) {
                ASSERT_TRUE(sent(x, y)) << x << "," << y;
            }
        }
    }
    EXPECT_FALSE(sent(first.Left, first.Top));
    EXPECT_FALSE(sent(first.Left, first.Bottom - 1));
}

TEST_F(FrameComposerTest, SmokeIsWhiteStippleUnderTheAircraftAndMissingAtTheEdges)
{
    composer.SetBackground(Plain(320, 240, Blue));
    composer.LoadSmokeSurfaces(StippleSmokePictures());
    composer.LoadKindSprites(0, BlockPictures(400, 0xFF000000u, Yellow), 400);
    flight.KindCellSize.fill(400);

    SmokePoint& trail = flight.SmokePoints[0];
    trail = SmokePoint{100, 120, 160, 120, 4, 20, 1, -1, -1, 0};
    SmokePoint& edge = flight.SmokePoints[1];
    edge = SmokePoint{1, 30, 1, 30, 2, 0, 1, -1, -1, 0};  // one puff, square -1, 28, 3, 32
    Place(0, 160, 120, 2, 1);

    composer.CopyBackground();
    composer.DrawSmoke(flight);
    composer.DrawSprite(flight, 0);
    const Rect aircraft = SpriteGeometry(flight.Planes[0], 400, 320, 240).Destination;

    const Surface& frame = composer.Frame();
    int white = 0;
    for (int y = 0; y < 240; ++y) {
        for (int x = 0; x < 320; ++x) {
            const uint32_t p = frame.Pixel(x, y);
            if (Inside(aircraft, x, y))
                continue;
            ASSERT_TRUE(p == Blue || p == White) << x << "," << y;
            if (p == White) {
                ++white;
                ASSERT_TRUE(x >= 80 && x < 180 && y >= 100 && y < 140) << x << "," << y;
            }
        }
    }
    EXPECT_GT(white, 100);
    for (int y = 20; y < 40; ++y)
        for (int x = 0; x < 10; ++x)
            ASSERT_EQ(frame.Pixel(x, y), Blue);
    // Smoke first, aircraft over it.
    EXPECT_EQ(frame.Pixel(aircraft.Left + aircraft.Width() / 2, aircraft.Top + aircraft.Height() / 2), Yellow);
}

TEST_F(FrameComposerTest, PresentHandsTheFrameToThePresenter)
{
    composer.SetBackground(Plain(320, 240, Blue));
    const Surface* shown = nullptr;
    composer.SetPresenter([&](const Surface& frame) { shown = &frame; });
    composer.CopyBackground();
    composer.Present();
    ASSERT_EQ(shown, &composer.Frame());
    EXPECT_EQ(shown->Pixel(319, 239), Blue);
}

namespace {

// Two identical busy 320 x 240 shows over blue: one composing into its own frame, the
// other as told before its background is set.
struct TwinShows {
    explicit TwinShows(uint64_t seed, bool targets = false)
        : settings(Busy()), own(settings, 320, 240, seed), other(settings, 320, 240, seed)
    {
        if (targets)
            otherComposer.ComposeIntoTargets();
        for (FrameComposer* c : {&ownComposer, &otherComposer}) {
            c->SetBackground(Plain(320, 240, Blue));
            c->LoadSmokeSurfaces(StippleSmokePictures());
            c->LoadKindSprites(0, BlockPictures(400, 0xFF000000u, Yellow), 400);
        }
        StartFlightModel(own);
        StartFlightModel(other);
    }
    static SaverSettings Busy()
    {
        SaverSettings s;
        s.BlueCount = 60;
        s.SmokeLength = 120;
        return s;
    }
    void Step()
    {
        for (auto [flight, composer] : {std::pair{&own, &ownComposer}, std::pair{&other, &otherComposer}}) {
            LaunchAircraft(*flight);
            StepAircraft(*flight, *composer);
        }
    }

    SaverSettings settings;
    Flight own;
    Flight other;
    FrameComposer ownComposer{320, 240};
    FrameComposer otherComposer{320, 240};
};

}  // namespace

TEST(ComposeInto, LentPixelsGetTheSameFramesAsTheComposersOwn)
{
    // One composing into memory lent to it from its third frame.
    TwinShows shows(5);
    FrameComposer& lentComposer = shows.otherComposer;
    std::vector<uint32_t> memory(320 * 240, 0);
    for (int frame = 0; frame < 300; ++frame) {
        if (frame == 2)
            lentComposer.ComposeInto(memory.data());
        shows.Step();
        ASSERT_EQ(lentComposer.Frame().Row(0), frame < 2 ? lentComposer.Frame().Row(0) : memory.data());
        for (int y = 0; y < 240; ++y)
            for (int x = 0; x < 320; ++x)
                ASSERT_EQ(lentComposer.Frame().Pixel(x, y), shows.ownComposer.Frame().Pixel(x, y)) << "frame " << frame;
    }
    // A copy of a frame over lent memory keeps its pixels when the memory changes.
    const Surface copy = lentComposer.Frame();
    const uint32_t before = copy.Pixel(0, 0);
    memory[0] = ~before;
    EXPECT_EQ(copy.Pixel(0, 0), before);
    EXPECT_EQ(lentComposer.Frame().Pixel(0, 0), ~before);
}

TEST(ComposeInto, BuffersTakenInTurnGetTheSameFramesAsTheComposersOwn)
{
    // A screen's three buffers taken in an uneven order, a frame now and then with no buffer
    // free (not drawn): each frame composed into a buffer equals the one composed whole.
    TwinShows shows(9, true);
    std::vector<std::vector<uint32_t>> buffers(3, std::vector<uint32_t>(320 * 240, 0x12345678u));
    std::vector<FrameMemory> memories(3);
    const int order[] = {0, 1, 0, 1, 2, -1, 2, 0, -1, -1, 1, 1, 2};
    for (int frame = 0; frame < 300; ++frame) {
        const int b = order[frame % std::size(order)];
        if (b >= 0)
            shows.otherComposer.NextFrameInto(buffers[static_cast<size_t>(b)].data(), memories[static_cast<size_t>(b)]);
        shows.Step();
        if (b < 0)
            continue;
        const std::vector<uint32_t>& pixels = buffers[static_cast<size_t>(b)];
        for (int y = 0; y < 240; ++y)
            for (int x = 0; x < 320; ++x)
                ASSERT_EQ(pixels[static_cast<size_t>(y) * 320 + x], shows.ownComposer.Frame().Pixel(x, y))
                    << "frame " << frame << " buffer " << b << " at " << x << "," << y;
    }
}

TEST_F(FrameComposerTest, NothingIsDrawnBeforeTheKindIsLoadedOrForImpossibleRecords)
{
    composer.SetBackground(Plain(320, 240, Blue));
    flight.KindCellSize.fill(400);
    Place(0, 100, 100, 2, 2);
    composer.CopyBackground();
    composer.DrawSprite(flight, 0);

    composer.LoadKindSprites(0, BlockPictures(400, 0xFF000000u, Yellow), 400);
    Place(0, 100, 100, 8, 2);    // no ninth heading
    Place(1, 100, 100, 2, 0);    // no size
    Place(2, 100, 100, 2, 2).KindSlot = 6;
    for (int i = 0; i < 3; ++i)
        composer.DrawSprite(flight, i);
    composer.DrawSprite(flight, 100);
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x)
            ASSERT_EQ(composer.Frame().Pixel(x, y), Blue) << x << "," << y;
    // Nothing drawn, so the next frame changes nothing on screen.
    composer.CopyBackground();
    int changed = 0;
    composer.ForEachChangedRun([&changed](const Rect&) { ++changed; });
    EXPECT_EQ(changed, 0);
}

// Rows of 64 and 128 tiles fill their words exactly: a run reaching the last tile must end
// the row there, without looking at a word past it.
TEST(TileMask, RunsReachingTheLastTileOfAFullWordEndTheRow)
{
    for (int width : {512, 1024}) {
        TileMask mask(width, 16, 8);
        mask.Mark(Rect{0, 0, 8, 8});
        mask.Mark(Rect{width - 20, 0, width + 50, 8});
        mask.Mark(Rect{-5, 8, width + 5, 16});
        std::vector<Rect> runs;
        mask.ForEachRun(nullptr, [&](const Rect& r) { runs.push_back(r); });
        ASSERT_EQ(runs.size(), 3u) << width;
        EXPECT_EQ(runs[0], (Rect{0, 0, 8, 8}));
        EXPECT_EQ(runs[1], (Rect{width - 24, 0, width, 8}));
        EXPECT_EQ(runs[2], (Rect{0, 8, width, 16}));
    }
}
