#pragma once

#include "KindSprites.h"
#include "SmokeDrawing.h"
#include "Surface.h"

#include <array>
#include <cstdint>

// Fills a rectangle of a test picture with one opaque colour.
inline void FillRect(Surface& picture, int left, int top, int width, int height, uint32_t colour)
{
    for (int y = top; y < top + height; ++y)
        for (int x = left; x < left + width; ++x)
            picture.Row(y)[x] = colour;
}

// Heading pictures made by the tests: an aircraft-like block of one colour, pointing
// right for heading 2, on a background of the key colour.
inline Surface BlockPicture(int edge, uint32_t background, uint32_t aircraft)
{
    Surface picture(edge, edge, background);
    FillRect(picture, edge / 4, edge * 3 / 8, edge / 2, edge / 4, aircraft);
    FillRect(picture, edge / 2, edge / 8, edge / 8, edge * 3 / 4, aircraft);
    return picture;
}

inline std::array<Surface, HeadingCount> BlockPictures(int edge, uint32_t background, uint32_t aircraft)
{
    std::array<Surface, HeadingCount> pictures;
    pictures.fill(BlockPicture(edge, background, aircraft));
    return pictures;
}

// Smoke pictures made by the tests: white dots on every other pixel, on black.
inline std::array<Surface, SmokePictureCount> StippleSmokePictures()
{
    Surface stipple(SmokeCellSize, SmokeCellSize, 0xFF000000u);
    for (int y = 0; y < SmokeCellSize; ++y)
        for (int x = (y & 1); x < SmokeCellSize; x += 2)
            stipple.Row(y)[x] = 0xFFFFFFFFu;
    std::array<Surface, SmokePictureCount> pictures;
    pictures.fill(stipple);
    return pictures;
}
