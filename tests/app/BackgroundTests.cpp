#include "Background.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QPainter>
#include <QTemporaryDir>

TEST(Background, ColoursAndUnknownModes)
{
    QString error;
    const QImage blue = BuildBackground(2, {}, {}, 64, 48, &error);
    EXPECT_EQ(blue.pixel(0, 0), qRgb(0, 0, 128));
    EXPECT_EQ(blue.pixel(63, 47), qRgb(0, 0, 128));
    EXPECT_EQ(BuildBackground(8, {}, {}, 4, 4, &error).pixel(1, 1), qRgb(128, 128, 128));
    EXPECT_EQ(BuildBackground(7, {}, {}, 4, 4, &error).pixel(1, 1), qRgb(128, 128, 0));
    for (int16_t mode : {11, -1, 32767}) {
        const QImage black = BuildBackground(mode, {}, {}, 4, 4, &error);
        ASSERT_FALSE(black.isNull());
        EXPECT_EQ(black.pixel(2, 2), qRgb(0, 0, 0)) << mode;
    }
}

TEST(Background, DesktopIsScaledToASmallerShow)
{
    QImage desktop(1280, 960, QImage::Format_RGB32);
    desktop.fill(qRgb(10, 200, 30));
    QString error;
    const QImage bg = BuildBackground(0, {}, desktop, 320, 240, &error);
    ASSERT_EQ(bg.size(), QSize(320, 240));
    EXPECT_EQ(bg.pixel(319, 239), qRgb(10, 200, 30));
}

TEST(Background, ADesktopOfAnotherShapeKeepsItsProportions)
{
    // A 300 x 300 window in the middle of a 1366 x 768 desktop, shown at 640 x 480.
    QImage desktop(1366, 768, QImage::Format_RGB32);
    desktop.fill(Qt::white);
    QPainter(&desktop).fillRect(533, 234, 300, 300, Qt::black);
    QString error;
    const QImage bg = BuildBackground(0, {}, desktop, 640, 480, &error);
    QRect dark;
    for (int y = 0; y < bg.height(); ++y)
        for (int x = 0; x < bg.width(); ++x)
            if (qGray(bg.pixel(x, y)) < 128)
                dark |= QRect(x, y, 1, 1);
    // Scaled by 480 / 768 both ways, the sides cut alike: 187.5 pixels from (226.25, 146.25).
    EXPECT_NEAR(dark.width(), 187.5, 1);
    EXPECT_NEAR(dark.height(), 187.5, 1);
    EXPECT_NEAR(dark.left(), 226.25, 1);
    EXPECT_NEAR(dark.top(), 146.25, 1);
}

TEST(Background, PicturePixelsLandWhereThePlacementSays)
{
    QTemporaryDir dir;
    QImage picture(400, 300, QImage::Format_RGB32);
    picture.fill(qRgb(200, 100, 50));
    const QString file = dir.path() + "/pic.png";
    ASSERT_TRUE(picture.save(file));
    QString error;
    const QImage bg = BuildBackground(9, file, {}, 640, 480, &error);
    ASSERT_FALSE(bg.isNull()) << error.toStdString();
    EXPECT_EQ(bg.pixel(120, 90), qRgb(200, 100, 50));
    EXPECT_EQ(bg.pixel(519, 389), qRgb(200, 100, 50));
    EXPECT_EQ(bg.pixel(119, 90), qRgb(0, 0, 0));
    EXPECT_EQ(bg.pixel(520, 389), qRgb(0, 0, 0));
}

TEST(Background, UnusablePicturesAreRefusedWithAReason)
{
    QTemporaryDir dir;
    auto write = [&](const QString& name, const QByteArray& bytes) {
        QFile f(dir.path() + '/' + name);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return f.fileName();
    };
    QImage small(50, 50, QImage::Format_RGB32);
    small.fill(Qt::red);
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    small.save(&buffer, "JPG");

    const QStringList bad = {dir.path() + "/missing.jpg", write("empty.bmp", {}), write("text.jpg", "not a picture"),
                             write("cut.jpg", jpeg.left(20)), dir.path(), QString()};
    for (const QString& file : bad) {
        QString error;
        for (int16_t mode : {9, 10}) {
            EXPECT_TRUE(BuildBackground(mode, file, {}, 64, 48, &error).isNull()) << file.toStdString();
            EXPECT_FALSE(error.isEmpty()) << file.toStdString();
        }
    }
}

namespace {

quint32 Crc32(const QByteArray& data)
{
    quint32 crc = 0xffffffffu;
    for (const char c : data) {
        crc ^= static_cast<quint8>(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void Put32BigEndian(QByteArray& bytes, int at, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>((v >> (24 - 8 * i)) & 0xff);
}

}  // namespace

TEST(Background, AHugePictureIsRefusedBeforeDecoding)
{
    QTemporaryDir dir;
    // A PNG whose header claims 30000 x 30000 pixels: decoding it would need 3.6 GB.
    QImage tiny(1, 1, QImage::Format_RGB32);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    tiny.save(&buffer, "PNG");
    Put32BigEndian(png, 16, 30000);
    Put32BigEndian(png, 20, 30000);
    Put32BigEndian(png, 29, Crc32(png.mid(12, 17)));  // the header chunk's checksum
    QFile f(dir.path() + "/huge.png");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(png);
    f.close();
    QString error;
    EXPECT_TRUE(LoadBackgroundPicture(f.fileName(), &error).isNull());
    EXPECT_TRUE(error.contains("too large")) << error.toStdString();
}

TEST(Background, APhotoBelowTheLimitIsRead)
{
    QTemporaryDir dir;
    // 35 Mpx: over Qt's default allocation limit, under the program's own.
    QImage photo(7000, 5000, QImage::Format_RGB32);
    photo.fill(qRgb(30, 90, 200));
    const QString file = dir.path() + "/photo.jpg";
    ASSERT_TRUE(photo.save(file, "JPG"));
    photo = QImage();
    QString error;
    const QImage read = LoadBackgroundPicture(file, &error);
    EXPECT_EQ(read.size(), QSize(7000, 5000)) << error.toStdString();
}
