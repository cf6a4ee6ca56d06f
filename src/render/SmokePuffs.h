#pragma once

#include "Rect.h"
#include "SmokeDrawing.h"
#include "Surface.h"
#include "TileMask.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

// The seven smoke pictures and, for each puff size drawn, which pixels of the stretched
// picture are not transparent. A busy show draws thousands of puffs a frame, mostly
// sparse stipple, so a puff touches only its dots instead of its whole square. What it
// draws is exactly what a keyed blit of the whole picture onto the square draws.
class SmokePuffs {
public:
    // Pictures already keyed (black transparent).
    void Load(std::array<Surface, SmokePictureCount> pictures);

    // Draws picture k stretched over square into target and marks in drawn (a mask of
    // ReachTileSize tiles over target) the tiles its dots reach, or every tile of the
    // square for a puff drawn as a whole picture; refused like a keyed blit (nothing drawn
    // or marked, false) when the square is empty or not inside target.
    bool Draw(Surface& target, int k, const Rect& square, TileMask& drawn);

    static constexpr int ReachTileSize = 8;

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
    // firstAt_[n][c]: the first destination pixel of a puff n wide whose source pixel is c
    // or later. The mapping only grows, so source pixel c covers firstAt_[n][c] .. firstAt_[n][c + 1].
    std::vector<std::array<uint8_t, SmokeCellSize + 1>> firstAt_;
    // The columns of source row r of picture k that are not transparent: from
    // opaqueStart_[k][r] to opaqueStart_[k][r + 1] in opaque_[k].
    std::array<std::vector<uint8_t>, SmokePictureCount> opaque_;
    std::array<std::array<uint16_t, SmokeCellSize + 1>, SmokePictureCount> opaqueStart_{};
    // Destination columns holding a dot, for each source row r a puff of size n takes
    // from picture k: from rowStart_[Row(k, n, r)] to rowStart_[Row(k, n, r) + 1].
    // Worked out when the size is first drawn, like its reach, into memory set aside at
    // load: dotStart_[Size(k, n)] is where its columns go.
    std::unique_ptr<uint8_t[]> dotColumns_;
    std::vector<size_t> dotStart_;
    std::unique_ptr<uint32_t[]> rowStart_;
    static size_t Size(int k, int n) { return static_cast<size_t>(k) * (LargestPrepared + 1) + static_cast<size_t>(n); }
    static size_t Row(int k, int n, int r);
    // Writes the dot columns of picture k at size n to dots and where each source row's
    // start to rowStart (either may be null); returns how many there are.
    size_t DotColumns(int k, int n, uint8_t* dots, uint32_t* rowStart) const;
    // The tiles the dots of a prepared puff reach, for every picture, size and offset of
    // the square within its tile: one word a row of tiles, bit u for the u-th tile from
    // the square's first. Puffs are round and thin out towards their edge, so most of
    // their corner tiles are neither restored nor sent again. A picture's size is worked
    // out when first drawn (most sizes never are), into memory set aside at load.
    std::unique_ptr<uint32_t[]> reach_;
    std::vector<size_t> reachStart_;  // where size n starts within a picture's part
    std::vector<uint8_t> ready_;  // picture k, size n worked out: [Size(k, n)]
    // One bit a pixel column of a puff's row, and room for its offset.
    using ColumnBits = std::array<uint64_t, (LargestPrepared + ReachTileSize - 2) / 64 + 1>;
    std::vector<ColumnBits> reachRows_;  // the rows of the size being worked out
    uint32_t* Reach(int k, int n, int offsetX, int offsetY);
    void Prepare(int k, int n);
    void PrepareReach(int k, int n);
};
