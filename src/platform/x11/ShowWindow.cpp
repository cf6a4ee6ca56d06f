#include "ShowWindow.h"

#include "FrameRows.h"
#include "ProcessClock.h"

#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>

#include <thread>

ShowWindow::ShowWindow(QScreen* screen) : clock_(screen ? screen->refreshRate() : 60.0)
{
    setScreen(screen);
    setTitle(QStringLiteral("Kestrova Saver"));
    setFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setCursor(QCursor(Qt::BlankCursor));
    store_ = std::make_unique<QBackingStore>(this);
}

ShowWindow::~ShowWindow() = default;

void ShowWindow::Open()
{
    // Without a window manager showFullScreen() alone leaves the window 0 x 0.
    setGeometry(screen()->geometry());
    showFullScreen();
    raise();
    requestActivate();
    setKeyboardGrabEnabled(true);
}

QRect ShowWindow::TargetRect(QSize frameSize) const
{
    const QSize physical = size() * devicePixelRatio();
    const QSize fitted = frameSize.scaled(physical, Qt::KeepAspectRatio);
    const QRect target((physical.width() - fitted.width()) / 2, (physical.height() - fitted.height()) / 2,
                       fitted.width(), fitted.height());
    return target;
}

uint32_t* ShowWindow::SharedFramePixels(QSize frameSize)
{
    // A new flight: the last frame shown lived in the memory of the one before, which is
    // gone, so an expose must not repaint from it.
    last_ = QImage();
    shared_.reset();
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || devicePixelRatio() != 1 || size() != frameSize)
        return nullptr;
    shared_ = SharedFrame::Create(x11->connection(), static_cast<xcb_window_t>(winId()), frameSize.width(),
                                  frameSize.height());
    return shared_ ? shared_->Pixels() : nullptr;
}

void ShowWindow::Paint(const QImage& frame, std::span<const QRect> changedParts)
{
    const QSize logical = size();
    if (logical.isEmpty())
        return;
    if (shared_ && frame.constBits() == reinterpret_cast<const uchar*>(shared_->Pixels()) &&
        frame.size() == logical && logical == QSize(shared_->Width(), shared_->Height())) {
        const QRect whole = frame.rect();
        shared_->Put(needsFullPaint_ || changedParts.empty() ? std::span<const QRect>(&whole, 1) : changedParts);
        needsFullPaint_ = false;
        return;
    }
    QRegion changed;
    changed.setRects(changedParts.data(), static_cast<int>(changedParts.size()));
    if (store_->size() != logical) {
        store_->resize(logical);
        needsFullPaint_ = true;
    }
    const qreal dpr = devicePixelRatio();
    const QRect target = TargetRect(frame.size());
    const bool oneToOne = target.size() == frame.size();

    // The region of the window to repaint, in logical pixels.
    const bool whole = needsFullPaint_ || changed.isEmpty() || !oneToOne;
    QRegion dirty;
    if (whole) {
        dirty = QRegion(QRect(QPoint(0, 0), logical));
    } else if (dpr == 1) {
        dirty = changed.translated(target.topLeft());
    } else {
        for (const QRect& r : changed)
            dirty += QRect(QPointF((r.topLeft() + target.topLeft()) / dpr).toPoint(),
                           QSizeF(r.size() / dpr).toSize().grownBy(QMargins(0, 0, 1, 1)));
    }

    store_->beginPaint(dirty);
    QPaintDevice* device = store_->paintDevice();
    const bool copied = !whole && device->devType() == QInternal::Image &&
                        CopyChangedRows(frame, changed, target.topLeft(), *static_cast<QImage*>(device));
    if (!copied) {
        QPainter painter(device);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.scale(1 / dpr, 1 / dpr);
        if (whole) {
            if (!oneToOne)
                painter.fillRect(QRect(QPoint(0, 0), logical * dpr), Qt::black);
            painter.drawImage(target, frame);
        } else {
            for (const QRect& r : changed)
                painter.drawImage(r.translated(target.topLeft()), frame, r);
        }
    }
    store_->endPaint();
    store_->flush(dirty);
    needsFullPaint_ = false;
}

void ShowWindow::Present(const QImage& frame, std::span<const QRect> changed)
{
    const auto wait = clock_.Reserve(FrameClock::Clock::now());
    if (wait > FrameClock::Clock::duration::zero())
        std::this_thread::sleep_for(wait);
    last_ = frame;
    if (isExposed())
        Paint(frame, changed);
    if (presented_++ == 0)
        firstFrameMs_ = MillisecondsSinceProcessStart();
}

void ShowWindow::exposeEvent(QExposeEvent*)
{
    needsFullPaint_ = true;
    if (isExposed() && !last_.isNull())
        Paint(last_, {});
}

void ShowWindow::resizeEvent(QResizeEvent*)
{
    needsFullPaint_ = true;
}

void ShowWindow::keyPressEvent(QKeyEvent*)
{
    if (OnInput)
        OnInput();
}

void ShowWindow::mousePressEvent(QMouseEvent*)
{
    if (OnInput)
        OnInput();
}
