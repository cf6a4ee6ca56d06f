#include "DesktopParts.h"

QImage OutputPart(const QImage& desktop, const QRect& desktopLogical, const QRect& outputLogical, QSize outputPixels)
{
    if (desktop.isNull() || desktopLogical.isEmpty() || !desktopLogical.contains(outputLogical))
        return QImage();
    // The picture may be at a larger scale than the layout's units.
    const double sx = double(desktop.width()) / desktopLogical.width();
    const double sy = double(desktop.height()) / desktopLogical.height();
    const QRect inPicture(qRound((outputLogical.x() - desktopLogical.x()) * sx),
                          qRound((outputLogical.y() - desktopLogical.y()) * sy), qRound(outputLogical.width() * sx),
                          qRound(outputLogical.height() * sy));
    const QImage part = desktop.copy(inPicture);
    return part.size() == outputPixels ? part
                                       : part.scaled(outputPixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}
