#pragma once

#include "Rect.h"

struct Flight;

// Where the puffs of the smoke trails go: picture 0..6 (densest first) stretched over
// square, which may reach beyond the frame (such a puff is not drawn).
class PuffTarget {
public:
    virtual ~PuffTarget() = default;
    virtual void DrawPuff(int picture, const Rect& square) = 0;
};

constexpr int SmokePictureCount = 7;
constexpr int SmokeCellSize = 64;

// One frame of smoke: for every used point of flight.SmokePoints in slot order, round
// off the corner it ends at (while its Smooth count lasts), draw its segment as a row
// of puffs whose size and sparseness grow with age, then age it and free it once it is
// older than "length of smoke". One flight.Rnd() draw per puff, in drawing order.
void DrawSmoke(Flight& flight, PuffTarget& target);
