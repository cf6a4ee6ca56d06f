#include "LinkLabel.h"

#include <QDesktopServices>
#include <QMouseEvent>
#include <QUrl>

LinkLabel::LinkLabel(const QString& address, QWidget* parent) : QLabel(address, parent)
{
    setTextFormat(Qt::PlainText);
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    QPalette blue = palette();
    blue.setColor(QPalette::WindowText, QColor(0, 0, 255));
    setPalette(blue);
    setCursor(Qt::PointingHandCursor);
}

void LinkLabel::mousePressEvent(QMouseEvent* event)
{
    pressed_ = event->button() == Qt::LeftButton;
}

// Opening on release inside the label, as a button does, lets a press be taken back
// by moving away before letting go.
void LinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    if (click)
        QDesktopServices::openUrl(QUrl(text()));
}
