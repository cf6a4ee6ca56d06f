#pragma once

#include "KindSprites.h"

#include <QColor>
#include <QImage>
#include <QPainter>

#include <array>

// Heading pictures made by the tests: an aircraft-like block of one colour, pointing
// right for heading 2, on a background of the key colour.
inline QImage BlockPicture(int edge, QRgb background, QRgb aircraft)
{
    QImage picture(edge, edge, QImage::Format_RGB32);
    picture.fill(background);
    QPainter painter(&picture);
    painter.fillRect(edge / 4, edge * 3 / 8, edge / 2, edge / 4, QColor::fromRgb(aircraft));
    painter.fillRect(edge / 2, edge / 8, edge / 8, edge * 3 / 4, QColor::fromRgb(aircraft));
    return picture;
}

inline std::array<QImage, HeadingCount> BlockPictures(int edge, QRgb background, QRgb aircraft)
{
    std::array<QImage, HeadingCount> pictures;
    pictures.fill(BlockPicture(edge, background, aircraft));
    return pictures;
}
