#include "JoinBands.h"

#include <algorithm>

namespace {

bool SameColumns(std::span<const Rect> a, std::span<const Rect> b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const Rect& x, const Rect& y) { return x.Left == y.Left && x.Right == y.Right; });
}

}  // namespace

void JoinIntoBands(std::span<const Rect> runs, std::vector<Rect>& bands)
{
    bands.clear();
    size_t lastBand = 0;  // where the last band's rectangles begin in `bands`
    for (size_t row = 0; row < runs.size();) {
        size_t end = row + 1;
        while (end < runs.size() && runs[end].Top == runs[row].Top)
            ++end;
        const std::span<const Rect> rowRuns = runs.subspan(row, end - row);
        const std::span<const Rect> last = std::span<const Rect>(bands).subspan(lastBand);
        if (!last.empty() && last.front().Bottom == rowRuns.front().Top && SameColumns(last, rowRuns)) {
            for (size_t i = lastBand; i < bands.size(); ++i)
                bands[i].Bottom = rowRuns.front().Bottom;
        } else {
            lastBand = bands.size();
            bands.insert(bands.end(), rowRuns.begin(), rowRuns.end());
        }
        row = end;
    }
}
