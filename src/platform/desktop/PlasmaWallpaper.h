#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// The wallpaper Plasma shows on its screen number `screen`, filling `pixels` as Plasma's
// default "scaled and cropped" does: the Image= of that screen's desktop containment in
// plasma-org.kde.plasma.desktop-appletsrc, else the look-and-feel's default wallpaper
// package, its picture nearest the size. Null, with the reason, where there is none.
QImage PlasmaWallpaper(int screen, QSize pixels, QString* reason);
