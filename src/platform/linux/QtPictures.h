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

// A reader of kind 0..5's heading pictures that decodes each only when asked, on any
// thread. Throws std::runtime_error naming a picture that is missing or is no picture at
// all; one that fails to decode later reads as an empty surface.
HeadingReader HeadingPictureReader(int kind);

// An embedded picture decoded ("preview/emblem.png"); a null image when it cannot be read.
QImage ImageOfAsset(std::string_view name);
