#pragma once

#include "Rect.h"
#include "Surface.h"

// The source rectangle of picture resized smoothly to width x height: each axis is
// filtered with a tent whose reach is one destination pixel (area-weighted averaging
// when shrinking, linear interpolation when enlarging), on premultiplied pixels so
// transparent parts add no colour. Pixels outside the source rectangle are not used.
// Done once per picture and size, never per frame; it works in a few rows at a time.
Surface Resample(const Surface& picture, const Rect& source, int width, int height);
