#include "Background.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

#include <algorithm>

namespace {

QRectF QRectOf(const PlaceBox& box)
{
    return QRectF(box.Left, box.Top, box.Width, box.Height);
}

}  // namespace

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

namespace {

// Paints the background over background, black already; false when the picture cannot be used.
bool Paint(QImage& background, int16_t mode, const QString& pictureFile, const QImage& desktop, QString* error)
{
    const int W = background.width(), H = background.height();
    QPainter painter(&background);
    if (mode == 0) {
        if (!desktop.isNull()) {
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawImage(QRectF(0, 0, W, H), desktop, QRectOf(DesktopPart(desktop.width(), desktop.height(), W, H)));
        }
    } else if (const auto colour = BackgroundColour(mode)) {
        painter.fillRect(QRect(0, 0, W, H), QColor(QRgb(*colour)));
    } else if (mode == 9 || mode == 10) {
        const QImage picture = LoadBackgroundPicture(pictureFile, error);
        if (picture.isNull())
            return false;
        const PicturePlacement place = PlacePicture(mode, picture.width(), picture.height(), W, H);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, mode == 10);
        painter.drawImage(QRectOf(place.Destination), picture, QRectOf(place.Source));
    }
    return true;
}

}  // namespace

QImage BuildBackground(int16_t mode, const QString& pictureFile, const QImage& desktop, int W, int H,
                       QString* error)
{
    QImage background(W, H, QImage::Format_RGB32);
    background.fill(Qt::black);
    if (!Paint(background, mode, pictureFile, desktop, error))
        return {};
    return background;
}

bool PaintBackground(Surface& into, int16_t mode, const QString& pictureFile, const QImage& desktop, QString* error)
{
    if (into.Width() <= 0 || into.Height() <= 0)
        return true;
    std::fill_n(into.Row(0), static_cast<size_t>(into.Width()) * into.Height(), OpaqueBlack);
    // Painted where it lies: the image only borrows the surface's pixels.
    QImage view(reinterpret_cast<uchar*>(into.Row(0)), into.Width(), into.Height(), into.Width() * 4,
                QImage::Format_RGB32);
    return Paint(view, mode, pictureFile, desktop, error);
}
