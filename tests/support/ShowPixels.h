#pragma once

// What the end-to-end tests of the 2D show share: settings written where the program reads
// them, and a screenshot counted as background, smoke and aircraft.
#include <QImage>
#include <QSettings>
#include <QString>

#include <initializer_list>
#include <utility>

inline void Store(const QString& file, std::initializer_list<std::pair<const char*, QString>> entries)
{
    QSettings store(file, QSettings::IniFormat);
    for (const auto& [key, value] : entries)
        store.setValue(QStringLiteral("Option/") + QLatin1String(key), value);
}

struct ShotCounts {
    int colour = 0;  // pixels of the background colour
    int white = 0;   // smoke
    int other = 0;   // aircraft, or a background of many colours
};

// Every second pixel of every second row from top up to bottom (the whole shot unless
// told), which is plenty for what the tests look for.
inline ShotCounts Count(const QImage& shot, QRgb colour, int top = 0, int bottom = -1)
{
    ShotCounts c;
    for (int y = top; y < (bottom < 0 ? shot.height() : bottom); y += 2)
        for (int x = 0; x < shot.width(); x += 2) {
            const QRgb p = shot.pixel(x, y) & 0xffffff;
            if (p == (colour & 0xffffff))
                ++c.colour;
            else if (qRed(p) > 225 && qGreen(p) > 225 && qBlue(p) > 225)
                ++c.white;
            else
                ++c.other;
        }
    return c;
}
