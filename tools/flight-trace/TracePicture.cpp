#include "TracePicture.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRect>

#include <algorithm>
#include <cmath>

TracePicture::TracePicture(int screenWidth, int screenHeight, QString caption)
    : width_(screenWidth), height_(screenHeight), caption_(std::move(caption))
{
    openPath_.fill(-1);
}

void TracePicture::AddPosition(int i, int x, int y, bool continuesPath)
{
    if (!continuesPath || openPath_[i] < 0) {
        openPath_[i] = static_cast<int>(paths_.size());
        paths_.push_back({i, {}});
    }
    paths_[openPath_[i]].Points << QPoint(x, y);
}

void TracePicture::AddSmoke(const SmokePoint& point)
{
    smoke_.push_back({QLine(point.X1, point.Y1, point.X2, point.Y2), point.Scale});
}

bool TracePicture::Save(const QString& file, int maxEdge) const
{
    // Everything flown, and the screen, must fit: program flight may leave the screen.
    QRect bounds(0, 0, width_, height_);
    for (const Path& p : paths_)
        bounds = bounds.united(p.Points.boundingRect());
    bounds.adjust(-20, -60, 20, 20);
    const double scale = std::min(1.0, static_cast<double>(maxEdge) / std::max(bounds.width(), bounds.height()));

    QImage image(static_cast<int>(std::ceil(bounds.width() * scale)), static_cast<int>(std::ceil(bounds.height() * scale)),
                 QImage::Format_RGB32);
    image.fill(QColor(18, 30, 52));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);
    painter.translate(-bounds.left(), -bounds.top());

    painter.fillRect(QRect(0, 0, width_, height_), QColor(32, 58, 96));
    painter.setPen(QPen(QColor(120, 140, 170), 2 / scale));
    painter.drawRect(QRect(0, 0, width_, height_));

    for (const auto& [line, size] : smoke_) {
        painter.setPen(QPen(QColor(255, 255, 255, 110), std::max(2.0, 6.0 * size), Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(line);
    }
    for (const Path& p : paths_) {
        const QColor colour = QColor::fromHsv((p.Aircraft * 47) % 360, 220, 255);
        painter.setPen(QPen(colour, 1.6 / scale));
        painter.drawPolyline(p.Points);
        painter.setBrush(colour);
        painter.drawEllipse(p.Points.first(), static_cast<int>(4 / scale), static_cast<int>(4 / scale));
        painter.setBrush(Qt::NoBrush);
    }

    painter.resetTransform();
    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setPixelSize(16);
    painter.setFont(font);
    painter.drawText(QPoint(10, 24), caption_);
    painter.end();
    return image.save(file, "PNG");
}
