#pragma once

#include "Rect.h"

struct PlaneState;

// Where one aircraft is drawn and which part of its N x N heading picture goes there.
struct SpriteRects {
    Rect Destination;  // on the show, after cutting at the screen edges
    Rect Source;       // in the heading picture, cut by the same amount
    // Size of the destination before it was cut: the size the whole picture is drawn at.
    int DrawnWidth = 0;
    int DrawnHeight = 0;
};

// The picture is a square of 45 x Scale pixels centred half an edge ahead of the
// reference point (0.71 of it on diagonals), from the source 0, 0, N - 1, N - 1, cut at
// the left, top, right and bottom edges in that order with f = (10 / Scale) x (N / 450)
// source pixels per screen pixel; every value rounded to the nearest, halves to even.
// The right and bottom tests compare with W - 1 and H - 1 but cut to W and H.
SpriteRects SpriteGeometry(const PlaneState& plane, int cellSize, int screenWidth, int screenHeight);
