#pragma once

#include "BackgroundPlacement.h"
#include "Surface.h"

#include <QImage>
#include <QRectF>
#include <QString>
#include <cstdint>
#include <optional>

// The largest picture the show decodes, in pixels; larger files are refused with a
// message instead of exhausting memory.
constexpr qint64 MaxPicturePixels = 64LL * 1024 * 1024;

// Reads a background picture. On failure returns a null image and a reason for the user.
QImage LoadBackgroundPicture(const QString& path, QString* error);

// The show-size background for "background mode": 0 the desktop snapshot, 1..8 a colour,
// 9/10 the picture, anything else black. Returns a null image (with a reason) when the
// picture cannot be used.
QImage BuildBackground(int16_t mode, const QString& pictureFile, const QImage& desktop, int showWidth,
                       int showHeight, QString* error);
// The same, painted into a surface of the show's size instead of a new image, so the
// show holds a single copy; false (with a reason) when the picture cannot be used.
bool PaintBackground(Surface& into, int16_t mode, const QString& pictureFile, const QImage& desktop, QString* error);
