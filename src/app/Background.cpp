#include "Background.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

PicturePlacement PlacePicture(int16_t mode, int w, int h, int W, int H)
{
    if (mode != 9)
        return {QRectF(0, 0, w, h), QRectF(0, 0, W, H)};
    if (w > W && h > H)
        return {QRectF((w - W) / 2.0, (h - H) / 2.0, W, H), QRectF(0, 0, W, H)};
    if (w > W)
        return {QRectF((w - W) / 2.0, 0, W, h), QRectF(0, (H - h) / 2.0, W, h)};
    if (h > H)
        return {QRectF(0, (h - H) / 2.0, w, H), QRectF((W - w) / 2.0, 0, w, H)};
    return {QRectF(0, 0, w, h), QRectF((W - w) / 2.0, (H - h) / 2.0, w, h)};
}

QRectF DesktopPart(QSize desktop, int W, int H)
{
    const double dw = desktop.width(), dh = desktop.height();
    if (dw * H > dh * W) {
        const double width = dh * W / H;
        return QRectF((dw - width) / 2, 0, width, dh);
    }
    const double height = dw * H / W;
    return QRectF(0, (dh - height) / 2, dw, height);
}

std::optional<QRgb> BackgroundColour(int16_t mode)
{
    static constexpr QRgb colours[] = {qRgb(0, 0, 0),     qRgb(0, 0, 128),   qRgb(128, 0, 0),
                                       qRgb(128, 0, 128), qRgb(0, 128, 0),   qRgb(0, 128, 128),
                                       qRgb(128, 128, 0), qRgb(128, 128, 128)};
    if (mode >= 1 && mode <= 8)
        return colours[mode - 1];
    return std::nullopt;
}

QImage LoadBackgroundPicture(const QString& path, QString* error)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists()) {
        *error = QStringLiteral("The background picture \"%1\" does not exist.").arg(path);
        return {};
    }
    if (!info.isFile()) {
        *error = QStringLiteral("The background picture \"%1\" is not a file.").arg(path);
        return {};
    }
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    const QSize size = reader.size();
    if (size.isValid() && static_cast<qint64>(size.width()) * size.height() > MaxPicturePixels) {
        *error = QStringLiteral("The background picture \"%1\" is too large (%2 x %3 pixels).")
                     .arg(path)
                     .arg(size.width())
                     .arg(size.height());
        return {};
    }
    // Qt's own limit (128 MB) would refuse pictures well below ours. Up to 8 bytes a
    // pixel: 16-bit pictures decode that deep before conversion.
    QImageReader::setAllocationLimit(static_cast<int>(MaxPicturePixels * 8 / (1024 * 1024)));
    QImage image = reader.read();
    if (image.isNull()) {
        *error = QStringLiteral("The background picture \"%1\" could not be read: %2.").arg(path, reader.errorString());
        return {};
    }
    return image.convertToFormat(QImage::Format_RGB32);
}

QImage BuildBackground(int16_t mode, const QString& pictureFile, const QImage& desktop, int W, int H,
                       QString* error)
{
    QImage background(W, H, QImage::Format_RGB32);
    background.fill(Qt::black);
    QPainter painter(&background);
    if (mode == 0) {
        if (!desktop.isNull()) {
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawImage(QRectF(0, 0, W, H), desktop, DesktopPart(desktop.size(), W, H));
        }
    } else if (const auto colour = BackgroundColour(mode)) {
        painter.fillRect(QRect(0, 0, W, H), QColor(*colour));
    } else if (mode == 9 || mode == 10) {
        const QImage picture = LoadBackgroundPicture(pictureFile, error);
        if (picture.isNull())
            return {};
        const PicturePlacement place = PlacePicture(mode, picture.width(), picture.height(), W, H);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, mode == 10);
        painter.drawImage(place.Destination, picture, place.Source);
    }
    return background;
}
