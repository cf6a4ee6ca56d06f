#pragma once

#include "Math3D.h"
#include "PixelBox.h"

// Corners of a box in a mesh's own coordinates.
struct LocalBounds {
    Vec3 Min, Max;
};

// What a camera sees: the perspective the renderer draws with (a camera looking along
// its +z axis, the front plane at 1, the view window at distance 1 one unit across the
// larger side of the viewport) and the viewport it lands in.
class ViewVolume {
public:
    ViewVolume(int width, int height, double back);

    struct Sight {
        bool Outside = false;  // wholly beyond one plane of the volume: no pixel can show it
        PixelBox Box;          // the pixels it can touch, inside the viewport
        double Farthest = 0;   // the largest view depth of the box's corners
    };
    // Where a mesh whose vertices lie within bounds lands when modelView carries them
    // into the camera's coordinates. Conservative: a margin for rounding, and the whole
    // viewport when part of the box is level with or behind the eye.
    Sight See(const LocalBounds& bounds, const Affine& modelView) const;

    // The projection as GL takes it, column-major.
    void ClipMatrix(float (&columns)[16]) const;

private:
    int width_, height_;
    double sx_, sy_, a_, b_;
};
