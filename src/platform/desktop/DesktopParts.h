#pragma once

#include <QImage>
#include <QRect>
#include <QSize>

// One output's part of a picture of the whole desktop. desktopLogical is the part of the
// layout the picture shows, outputLogical the output's place in it (both in the
// compositor's logical units); the part comes at the output's pixel size. Null when the
// output lies outside the picture.
QImage OutputPart(const QImage& desktop, const QRect& desktopLogical, const QRect& outputLogical, QSize outputPixels);
