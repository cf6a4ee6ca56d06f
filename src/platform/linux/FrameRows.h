#pragma once

#include <QImage>
#include <QPoint>
#include <QRegion>

// Copies the parts `changed` of an opaque 32-bit frame into `store` at `offset`, row by
// row, when the store's pixels have the same layout and every part fits; otherwise copies
// nothing and returns false. A frame changes in a few hundred small rectangles, and a
// painter's set-up for each costs more than the copy itself.
bool CopyChangedRows(const QImage& frame, const QRegion& changed, QPoint offset, QImage& store);
