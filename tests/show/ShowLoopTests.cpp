#include "ShowLoop.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Records what one pass did, in order.
struct LoopProbe {
    ShowFlags flags;
    int16_t kindChangeRequest = 0;
    CursorPoint cursor{100, 100};
    std::vector<std::string> calls;
    int sleptMs = 0;

    ShowLoopPorts Ports()
    {
        return {[this] { calls.push_back("frame"); },
                [this] { return std::optional<CursorPoint>(cursor); },
                [this](int ms) { sleptMs += ms; },
                [this] { calls.push_back("events"); },
                [this] { calls.push_back("start flight"); }};
    }
};

}  // namespace

TEST(ShowLoop, RunsUntouchedAndEndsAfterTheFrameOnOnePixelOfMovement)
{
    LoopProbe p;
    ShowLoop loop(p.flags, p.kindChangeRequest, 0, 0, p.Ports());
    loop.RememberPositions();
    for (int i = 0; i < 100; ++i)
        ASSERT_TRUE(loop.Pass());
    p.calls.clear();
    p.cursor.X += 1;
    EXPECT_FALSE(loop.Pass());
    EXPECT_EQ(p.calls, std::vector<std::string>{"frame"});  // the frame is done before the test
}

TEST(ShowLoop, AMovedCaretEndsTheShowAfterTheFrame)
{
    LoopProbe p;
    CursorPoint caret{7, 3};
    ShowLoopPorts ports = p.Ports();
    ports.CaretPosition = [&caret] { return std::optional<CursorPoint>(caret); };
    ShowLoop loop(p.flags, p.kindChangeRequest, 0, 0, ports);
    loop.RememberPositions();
    EXPECT_TRUE(loop.Pass());
    caret.Y += 1;
    EXPECT_FALSE(loop.Pass());
}

TEST(ShowLoop, AnExitRequestIsSeenAtTheNextTest)
{
    LoopProbe p;
    ShowLoop loop(p.flags, p.kindChangeRequest, 0, 0, p.Ports());
    loop.RememberPositions();
    EXPECT_TRUE(loop.Pass());
    p.flags.ExitRequest = 1;  // as a click delivered during the events of the last pass
    EXPECT_FALSE(loop.Pass());
}

TEST(ShowLoop, WithoutACursorMovementNeverEndsTheShow)
{
    LoopProbe p;
    ShowLoopPorts ports = p.Ports();
    ports.CursorPosition = [] { return std::nullopt; };
    ShowLoop loop(p.flags, p.kindChangeRequest, 0, 0, ports);
    loop.RememberPositions();
    p.cursor = {5, 5};
    EXPECT_TRUE(loop.Pass());
    p.flags.ExitRequest = 1;
    EXPECT_FALSE(loop.Pass());
}

TEST(ShowLoop, SleepsFiveMillisecondsPerStepOfSpeed)
{
    for (const auto& [blueWait, expected] : std::vector<std::pair<int16_t, int>>{{0, 0}, {1, 5}, {10, 50}, {50, 250}}) {
        LoopProbe p;
        ShowLoop loop(p.flags, p.kindChangeRequest, 0, blueWait, p.Ports());
        loop.RememberPositions();
        ASSERT_TRUE(loop.Pass());
        EXPECT_EQ(p.sleptMs, expected) << blueWait;
    }
}

TEST(ShowLoop, AnUneditableWaitCannotFreezeTheShow)
{
    for (const auto& [blueWait, expected] : std::vector<std::pair<int16_t, int>>{{-5, 0}, {30000, 250}}) {
        LoopProbe p;
        ShowLoop loop(p.flags, p.kindChangeRequest, 0, blueWait, p.Ports());
        loop.RememberPositions();
        ASSERT_TRUE(loop.Pass());
        EXPECT_EQ(p.sleptMs, expected) << blueWait;
    }
}

TEST(ShowLoop, KindChangeRunsBetweenFramesAndClearsTheRequest)
{
    LoopProbe p;
    ShowLoop loop(p.flags, p.kindChangeRequest, 101, 0, p.Ports());
    loop.RememberPositions();
    p.kindChangeRequest = 1;
    ASSERT_TRUE(loop.Pass());
    EXPECT_EQ(p.calls, (std::vector<std::string>{"frame", "start flight", "events"}));
    EXPECT_EQ(p.kindChangeRequest, 0);

    LoopProbe q;
    ShowLoop loop3d(q.flags, q.kindChangeRequest, 200, 0, q.Ports());
    loop3d.RememberPositions();
    q.kindChangeRequest = 1;
    ASSERT_TRUE(loop3d.Pass());
    EXPECT_EQ(q.calls, (std::vector<std::string>{"frame", "events"}));
}

TEST(KindChangeTimer, EveryFifthTickRequestsANewKind)
{
    KindChangeTimer timer;
    int16_t request = 0;
    for (int tick = 1; tick <= 4; ++tick) {
        timer.Tick(request);
        EXPECT_EQ(request, 0) << tick;
    }
    timer.Tick(request);
    EXPECT_EQ(request, 1);
    request = 0;
    for (int tick = 6; tick <= 9; ++tick)
        timer.Tick(request);
    EXPECT_EQ(request, 0);
    timer.Tick(request);
    EXPECT_EQ(request, 1);
}
