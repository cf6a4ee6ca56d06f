#include "QtPictures.h"

#include <QString>

#include <cstring>
#include <stdexcept>

Surface SurfaceOfImage(const QImage& image)
{
    const QImage pixels = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    Surface surface(pixels.width(), pixels.height());
    for (int y = 0; y < pixels.height(); ++y)
        std::memcpy(surface.Row(y), pixels.constScanLine(y), static_cast<size_t>(pixels.width()) * sizeof(uint32_t));
    return surface;
}

QImage ImageView(const Surface& surface, QImage::Format format)
{
    return QImage(reinterpret_cast<const uchar*>(surface.Row(0)), surface.Width(), surface.Height(),
                  surface.Width() * static_cast<qsizetype>(sizeof(uint32_t)), format);
}

namespace {

// The pictures are compiled in as Qt resources.
Surface ReadPicture(const QString& path)
{
    const QImage picture(path);
    if (picture.isNull())
        throw std::runtime_error("cannot read the picture " + path.toStdString());
    return SurfaceOfImage(picture);
}

}  // namespace

std::array<Surface, HeadingCount> ReadHeadingPictures(int kind)
{
    std::array<Surface, HeadingCount> pictures;
    for (int d = 0; d < HeadingCount; ++d)
        pictures[static_cast<size_t>(d)] = ReadPicture(QStringLiteral(":/sprites/kind%1_%2.png").arg(kind).arg(d));
    return pictures;
}

std::array<Surface, SmokePictureCount> ReadSmokePictures()
{
    std::array<Surface, SmokePictureCount> pictures;
    for (int k = 0; k < SmokePictureCount; ++k)
        pictures[static_cast<size_t>(k)] = ReadPicture(QStringLiteral(":/smoke/smoke%1.png").arg(k));
    return pictures;
}
