#include "Resample.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Weights of the source pixels that make one destination pixel along one axis.
struct Taps {
    int First = 0;
    std::vector<float> Weights;
};

std::vector<Taps> AxisTaps(int sourceStart, int sourceEnd, int count)
{
    std::vector<Taps> taps(static_cast<size_t>(count));
    const double scale = double(sourceEnd - sourceStart) / count;
    const double reach = std::max(1.0, scale);
    for (int i = 0; i < count; ++i) {
        const double centre = sourceStart + (i + 0.5) * scale;
        const int first = std::max(sourceStart, static_cast<int>(std::floor(centre - reach)));
        const int last = std::min(sourceEnd - 1, static_cast<int>(std::ceil(centre + reach)));
        Taps& t = taps[static_cast<size_t>(i)];
        t.First = first;
        double sum = 0;
        for (int j = first; j <= last; ++j) {
            const double w = std::max(0.0, 1.0 - std::abs(j + 0.5 - centre) / reach);
            t.Weights.push_back(static_cast<float>(w));
            sum += w;
        }
        for (float& w : t.Weights)
            w = static_cast<float>(w / sum);
    }
    return taps;
}

// std::lround held to 0..limit, without its library call: halves round up, and below
// zero everything is held at 0 anyway.
uint32_t Rounded(float value, uint32_t limit)
{
    if (!(value > 0))
        return 0;
    if (value >= static_cast<float>(limit))
        return limit;
    const auto whole = static_cast<uint32_t>(value);
    return whole + (value - static_cast<float>(whole) >= 0.5f ? 1 : 0);
}

// The horizontal pass over one source row: four channels per destination column.
void FilterRow(const uint32_t* from, const std::vector<Taps>& columns, float* to)
{
    for (size_t x = 0; x < columns.size(); ++x) {
        const Taps& t = columns[x];
        float c[4] = {0, 0, 0, 0};
        // A transparent pixel adds nothing; most of a heading picture is transparent.
        for (size_t k = 0; k < t.Weights.size(); ++k) {
            const uint32_t p = from[t.First + static_cast<int>(k)];
            if (p == 0)
                continue;
            const float w = t.Weights[k];
            c[0] += w * float(p >> 24);
            c[1] += w * float((p >> 16) & 0xFF);
            c[2] += w * float((p >> 8) & 0xFF);
            c[3] += w * float(p & 0xFF);
        }
        std::copy(c, c + 4, to + x * 4);
    }
}

}  // namespace

Surface Resample(const Surface& picture, const Rect& source, int width, int height)
{
    Surface out(width, height, 0);
    if (width <= 0 || height <= 0 || source.IsEmpty() || !source.LiesWithin(picture.Width(), picture.Height()))
        return out;

    const std::vector<Taps> columns = AxisTaps(source.Left, source.Right, width);
    const std::vector<Taps> rows = AxisTaps(source.Top, source.Bottom, height);

    // The horizontal pass of a source row is kept only while destination rows still take
    // it: the rows one destination row takes follow those of the row above, so a ring of
    // the most any destination row takes holds them all.
    size_t ringRows = 1;
    for (const Taps& t : rows)
        ringRows = std::max(ringRows, t.Weights.size());
    const size_t rowFloats = static_cast<size_t>(width) * 4;
    std::vector<float> ring(ringRows * rowFloats);
    const auto across = [&](int y) { return &ring[static_cast<size_t>(y - source.Top) % ringRows * rowFloats]; };
    int filtered = source.Top;  // source rows above this one are in the ring or done with
    std::vector<const float*> taken(ringRows);

    for (int y = 0; y < height; ++y) {
        const Taps& t = rows[static_cast<size_t>(y)];
        const int last = t.First + static_cast<int>(t.Weights.size());
        for (; filtered < last; ++filtered)
            FilterRow(picture.Row(filtered), columns, across(filtered));
        for (size_t k = 0; k < t.Weights.size(); ++k)
            taken[k] = across(t.First + static_cast<int>(k));
        uint32_t* to = out.Row(y);
        for (int x = 0; x < width; ++x) {
            float c[4] = {0, 0, 0, 0};
            for (size_t k = 0; k < t.Weights.size(); ++k) {
                const float* p = taken[k] + x * 4;
                if (p[0] == 0 && p[1] == 0 && p[2] == 0 && p[3] == 0)
                    continue;
                for (int ch = 0; ch < 4; ++ch)
                    c[ch] += t.Weights[k] * p[ch];
            }
            // Premultiplied colour never exceeds alpha, whatever the float rounding did.
            const uint32_t a = Rounded(c[0], 255);
            to[x] = a << 24 | Rounded(c[1], a) << 16 | Rounded(c[2], a) << 8 | Rounded(c[3], a);
        }
    }
    return out;
}
