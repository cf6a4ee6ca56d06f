#include "FlightPrograms.h"
#include "StepAircraft.h"
#include "TestFlight.h"

#include <gtest/gtest.h>

namespace {

struct Figure {
    int prog;
    int units;        // course units the whole program takes
    int16_t dir;      // heading when it is done, starting up (0)
    int dx;           // displacement in pixels, 44 per straight and 32 per diagonal unit
    int dy;
    int16_t smoke;    // smoke switch at the end
};

}  // namespace

// Each solo program flown alone from heading 0 at Scale 1 and U = 4 (11 px straight and
// 8 px per axis diagonally per frame): after exactly its units of flight it is back on
// the heading and at the offset its figure leads to.
TEST(FigureGeometry, SoloProgramsCloseWhereTheirFiguresLead)
{
    const Figure figures[] = {
        {0, 23, 0, 0, -308, 0},     // loop: eight right turns
        {1, 23, 0, -64, -892, 0},   // zig-zag ending on the first heading
        {2, 16, 2, 404, -360, 0},   // quarter turn right
        {3, 16, 6, -404, -360, 0},  // quarter turn left
        {4, 48, 0, 0, -296, 0},     // S-bend back into its own column
    };
    for (const Figure& f : figures) {
        TestFlight t(640, 480, 99);
        BuildFlightPrograms(t.flight);
        t.settings.BlueCount = 1;
        t.settings.FlightMode = 0;
        t.settings.SmokeMode = 1;
        PlaneState& p = t.Place(0, 5000, 5000, 0, 1, 1);
        p.Prog = static_cast<int16_t>(f.prog);
        p.Wait = 1;
        AgeingCanvas canvas;
        StepAircraft(t.flight, canvas);  // reads the first character
        ASSERT_EQ(p.Pos, 2);
        const int16_t x0 = p.X;
        const int16_t y0 = p.Y;
        for (int frame = 1; frame < f.units * 4; ++frame)
            StepAircraft(t.flight, canvas);
        EXPECT_EQ(p.Pos, 1) << f.prog << ": the program has ended, its successor not begun";
        StepAircraft(t.flight, canvas);
        EXPECT_EQ(p.Pos, 2) << f.prog << ": the next program reads its first character (a digit) now";
        EXPECT_EQ(p.Dir, f.dir) << f.prog;
        EXPECT_EQ(p.X - x0, f.dx) << f.prog;
        EXPECT_EQ(p.Y - y0, f.dy) << f.prog;
        EXPECT_EQ(p.Smoke, f.smoke) << f.prog;
    }
}
