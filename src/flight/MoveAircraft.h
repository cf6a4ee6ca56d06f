#pragma once

struct Flight;
struct PlaneState;

// Moves aircraft i one frame along its heading: D = 45 x Scale / U pixels straight,
// D / 1.42 per axis diagonally, each coordinate rounded to a whole pixel (halves to
// even) so no fraction is carried to the next frame.
void MoveAircraft(Flight& flight, int i);

// True while the reference point lies within the screen widened by one sprite edge
// (45 x Scale) on every side, borders included.
bool IsInsideScreen(const Flight& flight, const PlaneState& plane);
