#include "QtPictures.h"

#include "EmbeddedAssets.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

#include <cstring>
#include <stdexcept>
#include <string>

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

QImage ImageOfAsset(std::string_view name)
{
    const std::span<const unsigned char> bytes = EmbeddedAsset(name);
    return QImage::fromData(bytes.data(), static_cast<int>(bytes.size()));
}

namespace {

Surface ReadPicture(const std::string& name)
{
    const QImage picture = ImageOfAsset(name);
    if (picture.isNull())
        throw std::runtime_error("cannot read the picture " + name);
    return SurfaceOfImage(picture);
}

std::string HeadingPictureName(int kind, int d)
{
    return "sprites/kind" + std::to_string(kind) + "_" + std::to_string(d) + ".png";
}

// Whether the embedded picture is there and its header names a size; decodes nothing.
bool LooksReadable(const std::string& name)
{
    const std::span<const unsigned char> bytes = EmbeddedAsset(name);
    QByteArray data =
        QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    return reader.canRead() && reader.size().isValid();
}

}  // namespace

std::array<Surface, HeadingCount> ReadHeadingPictures(int kind)
{
    std::array<Surface, HeadingCount> pictures;
    for (int d = 0; d < HeadingCount; ++d)
        pictures[static_cast<size_t>(d)] = ReadPicture(HeadingPictureName(kind, d));
    return pictures;
}

HeadingReader HeadingPictureReader(int kind)
{
    for (int d = 0; d < HeadingCount; ++d) {
        const std::string name = HeadingPictureName(kind, d);
        if (!LooksReadable(name))
            throw std::runtime_error("cannot read the picture " + name);
    }
    return [kind](int d) {
        const QImage picture = ImageOfAsset(HeadingPictureName(kind, d));
        return picture.isNull() ? Surface() : SurfaceOfImage(picture);
    };
}

std::array<Surface, SmokePictureCount> ReadSmokePictures()
{
    std::array<Surface, SmokePictureCount> pictures;
    for (int k = 0; k < SmokePictureCount; ++k)
        pictures[static_cast<size_t>(k)] = ReadPicture("smoke/smoke" + std::to_string(k) + ".png");
    return pictures;
}
