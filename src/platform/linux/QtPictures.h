#pragma once

#include "Platform.h"

#include <QImage>

#include <string_view>

// Pictures between Qt and the core's surfaces.

// The decoded image as the core takes pictures: premultiplied ARGB, the image's size.
Surface SurfaceOfImage(const QImage& image);

// The surface's pixels as an image, without a copy; valid while the surface lives and
// keeps its size. Format_RGB32 may be asked for when every pixel is opaque (the frame).
QImage ImageView(const Surface& surface, QImage::Format format = QImage::Format_ARGB32_Premultiplied);

// An embedded picture decoded ("preview/emblem.png"); a null image when it cannot be read.
QImage ImageOfAsset(std::string_view name);
