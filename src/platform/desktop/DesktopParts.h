#pragma once

#include <QImage>
#include <QRect>
#include <QSize>

// One output's part of a picture of the whole desktop, at the output's pixel size.
// desktopLogical is the area the picture shows and outputLogical the output's place in it,
// both in the compositor's logical units; the picture may hold more pixels than logical
// units (taken at the largest scale). Null when the output lies outside the picture.
QImage OutputPart(const QImage& desktop, const QRect& desktopLogical, const QRect& outputLogical, QSize outputPixels);
