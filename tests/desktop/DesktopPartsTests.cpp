#include "DesktopParts.h"

#include <gtest/gtest.h>

#include <QPainter>

// KWin's native picture of two outputs side by side, the left at scale 1 (800 x 600) and
// the right at 1.25 (1920 x 1080 pixels, 1536 x 864 logical), comes at the larger scale:
// each output's part is cut by its logical place and brought to its own pixels.
TEST(OutputPart, EachOutputGetsItsOwnPlaceAtItsOwnPixels)
{
    const QRect left(0, 0, 800, 600), right(800, 0, 1536, 864);
    const QRect desktop = left | right;
    QImage picture(QSize(desktop.width(), desktop.height()) * 1.25, QImage::Format_RGB32);
    picture.fill(Qt::black);
    QPainter painter(&picture);
    painter.fillRect(QRect(0, 0, 1000, 750), Qt::red);
    painter.fillRect(QRect(1000, 0, 1920, 1080), Qt::blue);
    painter.fillRect(QRect(1000, 0, 10, 10), Qt::green);  // the right output's top-left corner
    painter.end();

    const QImage l = OutputPart(picture, desktop, left, QSize(800, 600));
    ASSERT_EQ(l.size(), QSize(800, 600));
    EXPECT_EQ(l.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(l.pixel(799, 599), qRgb(255, 0, 0));
    const QImage r = OutputPart(picture, desktop, right, QSize(1920, 1080));
    ASSERT_EQ(r.size(), QSize(1920, 1080));
    EXPECT_EQ(r.pixel(5, 5), qRgb(0, 255, 0));
    EXPECT_EQ(r.pixel(1919, 1079), qRgb(0, 0, 255));

    EXPECT_TRUE(OutputPart(picture, desktop, QRect(2400, 0, 800, 600), QSize(800, 600)).isNull())
        << "an output outside the picture has no part of it";
}
