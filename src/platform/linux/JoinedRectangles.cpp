#include "JoinedRectangles.h"

#include <iterator>

namespace {

long Area(const QRect& r)
{
    return r.isEmpty() ? 0 : long(r.width()) * r.height();
}

}  // namespace

void JoinRectangles(std::vector<QRect>& rects, long slackPixels)
{
    std::erase_if(rects, [](const QRect& r) { return r.isEmpty(); });
    for (;;) {
        size_t bestA = 0, bestB = 0;
        long bestAdded = slackPixels + 1;
        for (size_t a = 0; a < rects.size(); ++a) {
            for (size_t b = a + 1; b < rects.size(); ++b) {
                const long added = Area(rects[a] | rects[b]) - Area(rects[a]) - Area(rects[b]) +
                                   Area(rects[a] & rects[b]);
                if (added < bestAdded) {
                    bestAdded = added;
                    bestA = a;
                    bestB = b;
                }
            }
        }
        if (bestAdded > slackPixels)
            return;
        const QRect joined = rects[bestA] | rects[bestB];
        rects[bestA] = joined;
        rects.erase(rects.begin() + std::ptrdiff_t(bestB));
        size_t kept = 0;
        for (size_t i = 0; i < rects.size(); ++i) {
            if (i == bestA || !joined.contains(rects[i]))
                rects[kept++] = rects[i];
        }
        rects.resize(kept);
    }
}
