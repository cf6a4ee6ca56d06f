#pragma once

#include <QImage>
#include <QRasterWindow>

// The still preview drawn inside the host's preview area: the chosen picture stretched
// over the whole window and the emblem, a square of one third of the width, at its
// top-left corner.
class PreviewWindow : public QRasterWindow {
    Q_OBJECT
public:
    PreviewWindow(QImage picture, QImage emblem);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture_;
    QImage emblem_;
};
