#include "DesktopParts.h"

#include <QPainter>

QImage OutputPart(const QImage& desktop, const QRect& desktopLogical, const QRect& outputLogical, QSize outputPixels)
{
    if (desktop.isNull() || desktopLogical.isEmpty() || outputPixels.isEmpty() ||
        !desktopLogical.contains(outputLogical))
        return {};
    // The picture's pixels per logical unit, each way.
    const double sx = static_cast<double>(desktop.width()) / desktopLogical.width();
    const double sy = static_cast<double>(desktop.height()) / desktopLogical.height();
    const QRectF source((outputLogical.x() - desktopLogical.x()) * sx, (outputLogical.y() - desktopLogical.y()) * sy,
                        outputLogical.width() * sx, outputLogical.height() * sy);
    if (source.size().toSize() == outputPixels)
        return desktop.copy(source.toRect()).convertToFormat(QImage::Format_RGB32);
    QImage part(outputPixels, QImage::Format_RGB32);
    QPainter painter(&part);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(QPointF(0, 0), QSizeF(outputPixels)), desktop, source);
    return part;
}
