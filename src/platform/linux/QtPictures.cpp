#include "QtPictures.h"

#include "EmbeddedAssets.h"

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

}  // namespace

std::array<Surface, HeadingCount> ReadHeadingPictures(int kind)
{
    std::array<Surface, HeadingCount> pictures;
    for (int d = 0; d < HeadingCount; ++d)
        pictures[static_cast<size_t>(d)] = ReadPicture("sprites/kind" + std::to_string(kind) + "_" + std::to_string(d) + ".png");
    return pictures;
}

std::array<Surface, SmokePictureCount> ReadSmokePictures()
{
    std::array<Surface, SmokePictureCount> pictures;
    for (int k = 0; k < SmokePictureCount; ++k)
        pictures[static_cast<size_t>(k)] = ReadPicture("smoke/smoke" + std::to_string(k) + ".png");
    return pictures;
}
