#include "Numbers.h"
#include "SteerAircraft.h"
#include "TestFlight.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr int Spare = 40;  // a table entry the show leaves empty

// Flies program text as aircraft 0 in program flight for the given frames and returns
// the frames (1-based) on which a character was read.
std::vector<int> ReadFrames(TestFlight& t, const std::string& program, int frames)
{
    t.flight.FlightPrograms[Spare] = program;
    PlaneState& p = t.Place(0, 0, 0, 0, 1, 1);
    p.Prog = Spare;
    std::vector<int> reads;
    for (int frame = 1; frame <= frames; ++frame) {
        const int16_t pos = p.Pos;
        const int16_t prog = p.Prog;
        SteerAircraft(t.flight, 0);
        if (p.Pos != pos || p.Prog != prog)
            reads.push_back(frame);
    }
    return reads;
}

}  // namespace

TEST(SteerAircraft, DigitsAddUpAndEveryOtherCharacterTakesOneUnit)
{
    TestFlight t;
    t.settings.BlueStep = 27;  // U = 4
    t.settings.FlightMode = 1;
    EXPECT_EQ(ReadFrames(t, "15x", 30), (std::vector<int>{1, 5, 25}));   // 1 + 5 units, not fifteen
    EXPECT_EQ(ReadFrames(t, "10x", 12), (std::vector<int>{1, 5, 9}));    // "0" is one unit
    EXPECT_EQ(ReadFrames(t, "R1x", 12), (std::vector<int>{1, 5, 9}));    // a turn costs one unit
    EXPECT_EQ(ReadFrames(t, "S?Tx", 16), (std::vector<int>{1, 5, 9, 13}));
}

TEST(SteerAircraft, CourseUnitOfOneFrame)
{
    TestFlight t;
    t.settings.BlueStep = 30;  // U = 1
    t.settings.FlightMode = 1;
    EXPECT_EQ(ReadFrames(t, "RLx9x", 15), (std::vector<int>{1, 2, 3, 4, 13}));
}

TEST(SteerAircraft, StepOutsideTheDialogRangeKeepsAPositiveUnit)
{
    TestFlight t;
    t.settings.FlightMode = 1;
    t.settings.BlueStep = 31;  // would make U = 0
    EXPECT_EQ(ReadFrames(t, "2x", 5), (std::vector<int>{1, 3}));
    t.settings.BlueStep = -100;  // would make U = 131
    EXPECT_EQ(ReadFrames(t, "1x", 40), (std::vector<int>{1, 31}));
}

TEST(SteerAircraft, TurnsWrapAndBothCasesAreCommands)
{
    TestFlight t;
    t.settings.BlueStep = 30;
    t.settings.FlightMode = 1;
    t.flight.FlightPrograms[Spare] = "LlRrRrsS";
    PlaneState& p = t.Place(0, 0, 0, 0, 1, 1);
    p.Prog = Spare;
    const int16_t expected[] = {7, 6, 7, 0, 1, 2};
    for (int16_t dir : expected) {
        p.Turned = 0;
        SteerAircraft(t.flight, 0);
        EXPECT_EQ(p.Dir, dir);
        EXPECT_EQ(p.Turned, 1);
    }
    p.LastSmoke = 12;
    SteerAircraft(t.flight, 0);
    EXPECT_EQ(p.Smoke, 1);
    EXPECT_EQ(p.LastSmoke, -1);
    p.LastSmoke = 13;
    SteerAircraft(t.flight, 0);
    EXPECT_EQ(p.Smoke, 0);
    EXPECT_EQ(p.LastSmoke, -1);  // cleared when switching off as well
    EXPECT_EQ(p.Dir, 2);
}

TEST(SteerAircraft, OtherCharactersChangeNothing)
{
    TestFlight t;
    t.settings.BlueStep = 30;
    t.settings.FlightMode = 1;
    t.flight.FlightPrograms[Spare] = "0xTDEf -";
    PlaneState& p = t.Place(0, 0, 0, 3, 1, 1);
    p.Prog = Spare;
    p.LastSmoke = 5;
    for (int frame = 0; frame < 8; ++frame)
        SteerAircraft(t.flight, 0);
    EXPECT_EQ(p.Dir, 3);
    EXPECT_EQ(p.Turned, 0);
    EXPECT_EQ(p.Smoke, 0);
    EXPECT_EQ(p.LastSmoke, 5);
    EXPECT_EQ(p.Pos, 9);
}

TEST(SteerAircraft, SoloProgramEndStartsAnotherSoloProgramKeepingSmoke)
{
    TestFlight t(640, 480, 77);
    t.settings.FlightMode = 0;
    t.flight.SoloProgramCount = 5;
    t.flight.FlightPrograms[Spare] = "S";
    PlaneState& p = t.Place(0, 0, 0, 0, 1, 1);
    p.Prog = Spare;
    RandomSource twin(77);
    SteerAircraft(t.flight, 0);
    EXPECT_EQ(p.Prog, static_cast<int16_t>(Int(twin.Rnd() * 5)));
    EXPECT_EQ(p.Pos, 1);
    EXPECT_EQ(p.Mode, 1);
    EXPECT_EQ(p.Smoke, 1);
}

TEST(SteerAircraft, FormationProgramEndSwitchesToFreeFlight)
{
    for (int16_t mode : {1, 2}) {
        TestFlight t;
        t.settings.FlightMode = mode;
        t.flight.FlightPrograms[Spare] = "S";
        PlaneState& p = t.Place(0, 0, 0, 0, 1, 1);
        p.Prog = Spare;
        SteerAircraft(t.flight, 0);
        EXPECT_EQ(p.Mode, 0);
        EXPECT_EQ(p.Prog, Spare);
        EXPECT_EQ(p.Smoke, 1);
    }
}

TEST(SteerAircraft, EmptyOrMissingProgramFliesOneUnitThenEnds)
{
    for (int16_t prog : {int16_t(Spare), int16_t(-1), int16_t(101), int16_t(32000)}) {
        TestFlight t;
        t.settings.BlueStep = 27;
        t.settings.FlightMode = 1;
        PlaneState& p = t.Place(0, 0, 0, 2, 1, 1);
        p.Prog = prog;
        SteerAircraft(t.flight, 0);
        EXPECT_EQ(p.Wait, 4) << prog;
        EXPECT_EQ(p.Mode, 0) << prog;
        EXPECT_EQ(p.Dir, 2) << prog;
    }
}

TEST(SteerAircraft, ModeOtherThanFreeOrProgramIsLeftAlone)
{
    TestFlight t(640, 480, 5);
    t.flight.FlightPrograms[Spare] = "RRRR";
    PlaneState& p = t.Place(0, 0, 0, 4, 1, 2);
    p.Prog = Spare;
    for (int frame = 0; frame < 1000; ++frame)
        SteerAircraft(t.flight, 0);
    EXPECT_EQ(p.Dir, 4);
    EXPECT_EQ(p.Pos, 1);
    RandomSource twin(5);
    EXPECT_EQ(t.flight.Rnd(), twin.Rnd());  // no draw was made
}

TEST(SteerAircraft, FreeFlightTurnsOnceInFourHundredDrawsEitherWay)
{
    TestFlight t(640, 480, 2024);
    PlaneState& p = t.Place(0, 0, 0, 0, 1, 0);
    RandomSource twin(2024);
    int clockwise = 0;
    int counter = 0;
    for (int frame = 0; frame < 20000; ++frame) {
        int16_t expected = p.Dir;
        const bool turn = Int(twin.Rnd() * 400) < 1;
        if (turn) {
            if (Int(twin.Rnd() * 2) == 0) {
                expected = static_cast<int16_t>((expected + 1) % 8);
                ++clockwise;
            } else {
                expected = static_cast<int16_t>((expected + 7) % 8);
                ++counter;
            }
        }
        p.Turned = 0;
        SteerAircraft(t.flight, 0);
        ASSERT_EQ(p.Dir, expected) << frame;
        ASSERT_EQ(p.Turned, turn ? 1 : 0) << frame;
    }
    EXPECT_GT(clockwise, 10);
    EXPECT_GT(counter, 10);
    EXPECT_EQ(p.Pos, 1);  // free flight never reads the program
}
