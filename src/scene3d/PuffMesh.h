#pragma once

#include "Mesh.h"

// The smoke puff: the four sides of a box around the z axis, open at both ends, white
// with alpha 0.8, scaled to 2 x 2 x 4 so its long axis is the flight direction.
Mesh MakePuffMesh();
