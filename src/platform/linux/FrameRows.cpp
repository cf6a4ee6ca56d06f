#include "FrameRows.h"

#include <cstring>

bool CopyChangedRows(const QImage& frame, const QRegion& changed, QPoint offset, QImage& store)
{
    const QImage::Format f = store.format();
    if (frame.depth() != 32 ||
        (f != QImage::Format_RGB32 && f != QImage::Format_ARGB32 && f != QImage::Format_ARGB32_Premultiplied))
        return false;
    for (const QRect& r : changed) {
        if (!frame.rect().contains(r) || !store.rect().contains(r.translated(offset)))
            return false;
    }
    for (const QRect& r : changed) {
        const size_t bytes = static_cast<size_t>(r.width()) * sizeof(QRgb);
        for (int y = r.top(); y <= r.bottom(); ++y)
            std::memcpy(store.scanLine(y + offset.y()) + (r.left() + offset.x()) * sizeof(QRgb),
                        frame.constScanLine(y) + r.left() * sizeof(QRgb), bytes);
    }
    return true;
}
