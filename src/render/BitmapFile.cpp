#include "BitmapFile.h"

#include <cstdint>

namespace {

void Put(std::vector<unsigned char>& out, size_t at, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out[at + size_t(i)] = static_cast<unsigned char>(value >> (8 * i));
}

}  // namespace

std::vector<unsigned char> EncodeBitmapFile(const Surface& picture)
{
    constexpr size_t HeaderSize = 14 + 40;
    const auto width = static_cast<size_t>(picture.Width());
    const auto height = static_cast<size_t>(picture.Height());
    const size_t rowSize = (width * 3 + 3) / 4 * 4;
    std::vector<unsigned char> out(HeaderSize + rowSize * height, 0);
    out[0] = 'B';
    out[1] = 'M';
    Put(out, 2, uint32_t(out.size()), 4);
    Put(out, 10, uint32_t(HeaderSize), 4);
    Put(out, 14, 40, 4);
    Put(out, 18, uint32_t(width), 4);
    Put(out, 22, uint32_t(height), 4);
    Put(out, 26, 1, 2);   // planes
    Put(out, 28, 24, 2);  // bits per pixel
    Put(out, 34, uint32_t(rowSize * height), 4);
    Put(out, 38, 2835, 4);  // 72 dots per inch, as metres
    Put(out, 42, 2835, 4);
    for (size_t y = 0; y < height; ++y) {
        const uint32_t* row = picture.Row(int(height - 1 - y));
        unsigned char* to = out.data() + HeaderSize + y * rowSize;
        for (size_t x = 0; x < width; ++x) {
            to[3 * x + 0] = static_cast<unsigned char>(row[x]);        // blue
            to[3 * x + 1] = static_cast<unsigned char>(row[x] >> 8);   // green
            to[3 * x + 2] = static_cast<unsigned char>(row[x] >> 16);  // red
        }
    }
    return out;
}
