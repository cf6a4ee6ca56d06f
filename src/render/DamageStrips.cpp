#include "DamageStrips.h"

#include <algorithm>

namespace {

bool InOrder(const DamageStrips::Span& x, const DamageStrips::Span& y)
{
    return x.Strip != y.Strip ? x.Strip < y.Strip : x.Left < y.Left;
}

// Sorts spans and makes those of a strip that meet or overlap one.
void SortAndJoin(std::vector<DamageStrips::Span>& spans)
{
    std::sort(spans.begin(), spans.end(), InOrder);
    size_t joined = 0;
    for (const DamageStrips::Span& span : spans) {
        if (joined > 0 && spans[joined - 1].Strip == span.Strip && span.Left <= spans[joined - 1].Right)
            spans[joined - 1].Right = std::max(spans[joined - 1].Right, span.Right);
        else
            spans[joined++] = span;
    }
    spans.resize(joined);
}

}  // namespace

void DamageStrips::FillNarrowestGaps(int stripHeight)
{
    gaps_.assign(covered_.size(), -1);
    sorted_.clear();
    for (size_t i = 0; i + 1 < covered_.size(); ++i) {
        if (covered_[i + 1].Strip != covered_[i].Strip)
            continue;
        gaps_[i] = static_cast<long>(covered_[i + 1].Left - covered_[i].Right) * stripHeight;
        sorted_.push_back(gaps_[i]);
    }
    const size_t most = MostRectangles;
    const size_t toFill = covered_.size() > most ? std::min(covered_.size() - most, sorted_.size()) : 0;
    if (toFill == 0)
        return;
    // Gaps narrower than the threshold are filled, and of those as wide only as many as needed.
    std::nth_element(sorted_.begin(), sorted_.begin() + static_cast<long>(toFill - 1), sorted_.end());
    const long threshold = sorted_[toFill - 1];
    size_t equalToFill =
        toFill - static_cast<size_t>(std::count_if(sorted_.begin(), sorted_.end(), [threshold](long g) { return g < threshold; }));
    size_t kept = 0;
    for (size_t i = 0; i < covered_.size(); ++i) {
        const int left = covered_[i].Left;
        while (gaps_[i] >= 0 && (gaps_[i] < threshold || (gaps_[i] == threshold && equalToFill > 0))) {
            if (gaps_[i] == threshold)
                --equalToFill;
            ++i;
        }
        covered_[kept++] = {covered_[i].Strip, left, covered_[i].Right};
    }
    covered_.resize(kept);
}

const std::vector<Rect>& DamageStrips::Cover(const TileMask& a, const TileMask& b)
{
    const int tileRows = (a.Height() + a.Tile() - 1) / a.Tile();
    const int stripHeight = std::max((tileRows + StripCount - 1) / StripCount, 1) * a.Tile();
    marked_.clear();
    a.ForEachRun(&b, [&](const Rect& run) { marked_.push_back({run.Top / stripHeight, run.Left, run.Right}); });
    SortAndJoin(marked_);

    // What the compositor redraws is this frame's damage joined with the last frame's:
    // together they must stay within the limit.
    covered_ = marked_;
    covered_.insert(covered_.end(), sent_.begin(), sent_.end());
    SortAndJoin(covered_);
    FillNarrowestGaps(stripHeight);

    // Within each covered span this frame sends one span: what it marked there and every
    // gap the last frame's spans leave in it, so that the two join into that one span.
    last_.swap(sent_);
    sent_.clear();
    size_t m = 0, p = 0;
    for (const Span& span : covered_) {
        int left = span.Right, right = span.Left;
        auto take = [&left, &right](int from, int to) {
            if (from < to) {
                left = std::min(left, from);
                right = std::max(right, to);
            }
        };
        while (m < marked_.size() && marked_[m].Strip < span.Strip)
            ++m;
        for (; m < marked_.size() && marked_[m].Strip == span.Strip && marked_[m].Left < span.Right; ++m)
            take(marked_[m].Left, marked_[m].Right);
        while (p < last_.size() && (last_[p].Strip < span.Strip || (last_[p].Strip == span.Strip && last_[p].Right <= span.Left)))
            ++p;
        const size_t firstOfLast = p;
        for (; p < last_.size() && last_[p].Strip == span.Strip && last_[p].Left < span.Right; ++p)
            if (p > firstOfLast)
                take(last_[p - 1].Right, last_[p].Left);
        if (p > firstOfLast && left < right) {
            // Marks before the last frame's spans reach up to them, marks after them back.
            take(right, last_[firstOfLast].Left);
            take(last_[p - 1].Right, left);
        }
        if (left < right)
            sent_.push_back({span.Strip, left, right});
    }

    rects_.clear();
    for (const Span& span : sent_) {
        const int top = span.Strip * stripHeight;
        rects_.push_back(Rect{span.Left, top, span.Right, std::min(top + stripHeight, a.Height())});
    }
    return rects_;
}
