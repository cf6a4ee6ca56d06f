#include "FrameRows.h"

#include <gtest/gtest.h>

#include <QPainter>

#include <random>

TEST(FrameRows, ChangedPartsLandAsAPainterPutsThemAndNothingElseMoves)
{
    QImage frame(64, 48, QImage::Format_RGB32);
    std::mt19937 random(7);
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x)
            frame.setPixel(x, y, 0xFF000000u | (random() & 0xFFFFFFu));
    QRegion changed;
    changed.setRects(std::vector<QRect>{{0, 0, 16, 16}, {32, 0, 32, 16}, {16, 32, 16, 16}}.data(), 3);
    const QPoint offset(5, 7);

    for (const QImage::Format format : {QImage::Format_RGB32, QImage::Format_ARGB32_Premultiplied}) {
        QImage store(80, 60, format);
        store.fill(qRgb(90, 90, 90));
        QImage painted = store.copy();
        {
            QPainter painter(&painted);
            painter.setCompositionMode(QPainter::CompositionMode_Source);
            for (const QRect& r : changed)
                painter.drawImage(r.translated(offset), frame, r);
        }
        ASSERT_TRUE(CopyChangedRows(frame, changed, offset, store));
        EXPECT_EQ(store, painted);
    }

    // A part that would fall outside the store: nothing is copied.
    QImage store(80, 60, QImage::Format_RGB32);
    store.fill(qRgb(90, 90, 90));
    const QImage before = store.copy();
    EXPECT_FALSE(CopyChangedRows(frame, changed, QPoint(40, 0), store));
    EXPECT_EQ(store, before);
}
