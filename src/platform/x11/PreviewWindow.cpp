#include "PreviewWindow.h"

#include <QPainter>

PreviewWindow::PreviewWindow(QImage picture, QImage emblem)
    : picture_(std::move(picture)), emblem_(std::move(emblem))
{
    setTitle(QStringLiteral("Prev"));
    setFlag(Qt::FramelessWindowHint);
}

void PreviewWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRect all(0, 0, width(), height());
    painter.fillRect(all, Qt::black);
    painter.drawImage(all, picture_);
    const int side = width() / 3;
    painter.drawImage(QRect(0, 0, side, side), emblem_);
}
