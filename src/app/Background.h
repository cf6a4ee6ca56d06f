#pragma once

#include <QImage>
#include <QRectF>
#include <QString>
#include <cstdint>
#include <optional>

// Where a background picture of w x h is copied from and to on a W x H show.
// Mode 9 shows it at its own size, centred and cut to the show; mode 10 stretches it.
// Halves are kept, as the show divides by two without rounding.
struct PicturePlacement {
    QRectF Source;
    QRectF Destination;
};
PicturePlacement PlacePicture(int16_t mode, int w, int h, int showWidth, int showHeight);

// The part of a desktop snapshot that becomes the background of a W x H show: the
// largest centred piece of the show's shape, so the desktop is scaled alike both ways.
// The full-screen show centres a smaller show at that same scale, so every window of
// the snapshot is seen where it was.
QRectF DesktopPart(QSize desktop, int showWidth, int showHeight);

// The plain colours of "background mode" 1..8.
std::optional<QRgb> BackgroundColour(int16_t mode);

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
