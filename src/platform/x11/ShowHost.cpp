#include "ShowHost.h"

#include "DaemonScreenshot.h"

#include <QEvent>
#include <QGuiApplication>
#include <QResizeEvent>
#include <QScreen>

namespace {

QScreen* PrimaryScreen()
{
    return QGuiApplication::primaryScreen();
}

QSize RootSize()
{
    QScreen* screen = PrimaryScreen();
    return screen ? screen->virtualGeometry().size() * screen->devicePixelRatio() : QSize();
}

// Window geometry is in Qt's device-independent pixels, show sizes in real ones.
QSize Logical(QSize pixels, const QWindow& window)
{
    return (QSizeF(pixels) / window.devicePixelRatio()).toSize();
}

}  // namespace

std::unique_ptr<ShowHost> ShowHost::Embedding(uint32_t windowId)
{
    HostWindow probe(windowId);
    const std::optional<QSize> size = probe.QuerySize();
    if (!size)
        return nullptr;
    return std::unique_ptr<ShowHost>(new ShowHost(Kind::Embedded, windowId, *size));
}

std::unique_ptr<ShowHost> ShowHost::OnRoot()
{
    return std::unique_ptr<ShowHost>(new ShowHost(Kind::Root, 0, RootSize()));
}

std::unique_ptr<ShowHost> ShowHost::OwnWindow(QSize size)
{
    return std::unique_ptr<ShowHost>(new ShowHost(Kind::Own, 0, size));
}

ShowHost::ShowHost(Kind kind, uint32_t windowId, QSize size) : kind_(kind), host_(windowId), size_(size) {}

ShowHost::~ShowHost()
{
    if (placed_)
        placed_->removeEventFilter(this);
}

QSize ShowHost::Size() const
{
    return size_;
}

QImage ShowHost::Snapshot() const
{
    if (kind_ == Kind::Embedded) {
        const QImage desktop = ReadDaemonScreenshot(host_.Id());
        if (!desktop.isNull())
            return desktop;
    }
    QScreen* screen = PrimaryScreen();
    if (!screen)
        return QImage();
    return screen->grabWindow(kind_ == Kind::Embedded ? host_.Id() : 0).toImage();
}

void ShowHost::Place(QWindow& window)
{
    placed_ = &window;
    window.unsetCursor();
    switch (kind_) {
    case Kind::Embedded:
        // A child of the host: it goes where the host goes, and the host's owner keeps
        // every click and key.
        foreign_.reset(QWindow::fromWinId(host_.Id()));
        window.setFlags(Qt::Widget | Qt::WindowTransparentForInput);
        window.setParent(foreign_.get());
        window.setGeometry(QRect(QPoint(0, 0), Logical(size_, window)));
        connect(&host_, &HostWindow::Resized, this, [this](QSize size) {
            size_ = size;
            if (placed_)
                placed_->resize(Logical(size, *placed_));
        });
        connect(&host_, &HostWindow::Destroyed, this, &ShowHost::Gone);
        host_.Watch();
        window.show();
        break;
    case Kind::Root:
        // Drawn on the desktop: kept out of the window manager's hands and below every
        // other window, over the whole root window.
        window.setFlags(Qt::Window | Qt::BypassWindowManagerHint | Qt::FramelessWindowHint |
                        Qt::WindowTransparentForInput | Qt::WindowStaysOnBottomHint);
        window.setGeometry(PrimaryScreen()->virtualGeometry());
        connect(PrimaryScreen(), &QScreen::virtualGeometryChanged, this, [this](const QRect& area) {
            size_ = area.size() * PrimaryScreen()->devicePixelRatio();
            if (placed_)
                placed_->setGeometry(area);
        });
        window.show();
        window.lower();
        break;
    case Kind::Own:
        window.setFlags(Qt::Window);
        window.setMaximumSize(Logical(CapToDisplay(QSize(32767, 32767)), window));
        window.resize(Logical(size_, window));
        window.installEventFilter(this);
        window.show();
        break;
    }
}

bool ShowHost::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != placed_)
        return false;
    if (event->type() == QEvent::Resize) {
        size_ = CapToDisplay(static_cast<QResizeEvent*>(event)->size() * placed_->devicePixelRatio());
    } else if (event->type() == QEvent::Close) {
        // The show ends in its own time and hides the window then; closing it here
        // would pull the surface from under a running renderer.
        event->ignore();
        Gone();
        return true;
    }
    return false;
}

void ShowHost::Gone()
{
    if (gone_)
        return;
    gone_ = true;
    if (OnGone)
        OnGone();
}
