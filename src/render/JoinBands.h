#pragma once

#include "Rect.h"

#include <span>
#include <vector>

// Joins y-x banded runs (rows of rectangles sharing top and bottom, left to right) into
// taller bands: a row whose rectangles have the same left and right edges as the row
// right above it lengthens that row's rectangles instead of adding its own. The bands
// cover exactly the runs' pixels and are y-x banded too. A display server that is sent
// damage per rectangle gets far fewer of them for an aircraft or a smoke trail.
void JoinIntoBands(std::span<const Rect> runs, std::vector<Rect>& bands);
