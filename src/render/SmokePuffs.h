#pragma once

#include "Rect.h"
#include "SmokeDrawing.h"
#include "Surface.h"

#include <array>
#include <cstdint>
#include <vector>

// The seven smoke pictures and, for every puff size, which pixels of the stretched
// picture are not transparent. A busy show draws thousands of puffs a frame, mostly
// sparse stipple, so a puff touches only its dots instead of its whole square. What it
// draws is exactly what a keyed blit of the whole picture onto the square draws.
class SmokePuffs {
public:
    // Pictures already keyed (black transparent).
    void Load(std::array<Surface, SmokePictureCount> pictures);

    // Draws picture k stretched over square into target; refused like a keyed blit
    // (nothing drawn, false) when the square is empty or not inside target.
    bool Draw(Surface& target, int k, const Rect& square) const;

private:
    // Largest square prepared; a size factor of 10 needs 166. Larger ones are blitted.
    static constexpr int LargestPrepared = 192;

    std::array<Surface, SmokePictureCount> pictures_;
    // Pictures whose dots are all fully opaque and of one colour (white): a dot is
    // then that colour stored, which spares reading the picture and the frame.
    std::array<bool, SmokePictureCount> plain_{};
    std::array<uint32_t, SmokePictureCount> dotColour_{};
    // Source pixel under destination pixel i of a puff n pixels wide: Sampled[n][i].
    std::vector<std::vector<uint8_t>> sampled_;
    // Destination columns holding a dot, for each source row r a puff of size n takes
    // from picture k: from rowStart_[Row(k, n, r)] to rowStart_[Row(k, n, r) + 1].
    std::vector<uint8_t> dotColumns_;
    std::vector<uint32_t> rowStart_;
    static size_t Row(int k, int n, int r);
};
