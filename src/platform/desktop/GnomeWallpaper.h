#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// GNOME's desktop background as GNOME draws it on an output of this many pixels: the
// picture of org.gnome.desktop.background (the dark one when the user prefers dark), an
// XML background file resolved to its picture of the nearest size, placed by
// picture-options over primary-color. Null, with the reason, where GNOME's settings or
// the picture cannot be read.
QImage GnomeWallpaper(QSize outputPixels, QString* reason);
