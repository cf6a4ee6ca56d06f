#pragma once

// The 3D show's texture pictures replaced by pure magenta, so a screenshot shows
// whether an installed program found the pictures beside it.

#include "XvfbServer.h"

#include <QDir>
#include <QImage>
#include <QString>
#include <QStringList>

#include <algorithm>

inline const QStringList& TexturePictures()
{
    static const QStringList names = {"t4bttm.bmp",   "t4right_1.bmp",   "t4top.bmp",
                                      "t4bttm_r.bmp", "t4right_1_r.bmp", "t4top_r.bmp"};
    return names;
}

// Overwrites the pictures in `folder`; false when one is missing or cannot be written.
inline bool MakeTexturesMagenta(const QString& folder)
{
    QImage magenta(64, 64, QImage::Format_RGB32);
    magenta.fill(qRgb(255, 0, 255));
    for (const QString& name : TexturePictures()) {
        const QString path = QDir(folder).filePath(name);
        if (!QFileInfo(path).isFile() || !magenta.save(path, "BMP"))
            return false;
    }
    return true;
}

inline int MagentaPixels(const QImage& shot, QRect area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = shot.pixel(x, y);
            count += qRed(p) > 90 && qBlue(p) > 90 && qGreen(p) * 2 < qRed(p) && qGreen(p) * 2 < qBlue(p);
        }
    return count;
}

// Start-up takes its time, and the camera roves, so the formation may be small or out
// of view for a moment: screenshots are taken until one shows enough of it.
inline int MostMagenta(const XvfbServer& x, const QString& path, QRect area = QRect())
{
    int most = 0;
    x.ScreenshotWhen(path, [&](const QImage& image) {
        most = std::max(most, MagentaPixels(image, area.isNull() ? image.rect() : area));
        return most > 100;
    });
    return most;
}
