#include "DamageStrips.h"

#include <algorithm>

const std::vector<Rect>& DamageStrips::Cover(const TileMask& a, const TileMask& b)
{
    const int tileRows = (a.Height() + a.Tile() - 1) / a.Tile();
    const int stripHeight = std::max((tileRows + StripCount - 1) / StripCount, 1) * a.Tile();
    spans_.clear();
    a.ForEachRun(&b, [&](const Rect& run) { spans_.push_back({run.Top / stripHeight, run.Left, run.Right}); });
    std::sort(spans_.begin(), spans_.end(),
              [](const Span& x, const Span& y) { return x.Strip != y.Strip ? x.Strip < y.Strip : x.Left < y.Left; });
    // Spans of a strip that meet or overlap become one.
    size_t joined = 0;
    for (const Span& span : spans_) {
        Span& last = spans_[joined - (joined > 0)];
        if (joined > 0 && last.Strip == span.Strip && span.Left <= last.Right)
            last.Right = std::max(last.Right, span.Right);
        else
            spans_[joined++] = span;
    }
    spans_.resize(joined);

    gaps_.assign(spans_.size(), -1);
    sorted_.clear();
    for (size_t i = 0; i + 1 < spans_.size(); ++i) {
        if (spans_[i + 1].Strip != spans_[i].Strip)
            continue;
        gaps_[i] = static_cast<long>(spans_[i + 1].Left - spans_[i].Right) * stripHeight;
        sorted_.push_back(gaps_[i]);
    }
    // Gaps up to the threshold are filled, and of those equal to it only as many as needed.
    const size_t toFill = spans_.size() > MostRectangles ? std::min(spans_.size() - MostRectangles, sorted_.size()) : 0;
    long threshold = -1;
    size_t equalToFill = 0;
    if (toFill > 0) {
        std::nth_element(sorted_.begin(), sorted_.begin() + static_cast<long>(toFill - 1), sorted_.end());
        threshold = sorted_[toFill - 1];
        equalToFill = toFill - static_cast<size_t>(std::count_if(sorted_.begin(), sorted_.end(),
                                                                   [threshold](long g) { return g < threshold; }));
    }

    rects_.clear();
    const int height = a.Height();
    for (size_t i = 0; i < spans_.size(); ++i) {
        const int left = spans_[i].Left;
        while (gaps_[i] >= 0 && (gaps_[i] < threshold || (gaps_[i] == threshold && equalToFill > 0))) {
            if (gaps_[i] == threshold)
                --equalToFill;
            ++i;
        }
        const int top = spans_[i].Strip * stripHeight;
        rects_.push_back(Rect{left, top, spans_[i].Right, std::min(top + stripHeight, height)});
    }
    return rects_;
}
