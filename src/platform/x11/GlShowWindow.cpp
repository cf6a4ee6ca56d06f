#include "GlShowWindow.h"

#include "JoinedRectangles.h"
#include "ProcessClock.h"

#include <QCursor>
#include <QScreen>
#include <QSurfaceFormat>

#include <thread>

namespace {

// Each rectangle sent is a round trip to the X server; one costs about as much as
// sending this many more pixels.
constexpr long RoundTripPixels = 8 * 64 * 64;

QSurfaceFormat CoreFormat()
{
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setVersion(3, 3);
    format.setProfile(QSurfaceFormat::CoreProfile);
    format.setDepthBufferSize(24);
    format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    format.setSwapInterval(1);
    return format;
}

}  // namespace

GlShowWindow::GlShowWindow(QScreen* screen, QSize showSize)
    : clock_(screen ? screen->refreshRate() : 60.0), showSize_(showSize)
{
    setScreen(screen);
    setSurfaceType(QSurface::OpenGLSurface);
    setFormat(CoreFormat());
    setTitle(QStringLiteral("Kestrova Saver"));
    setFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setCursor(QCursor(Qt::BlankCursor));
}

GlShowWindow::~GlShowWindow()
{
    if (context_)
        context_->doneCurrent();
}

bool GlShowWindow::Open(QString& error)
{
    const qreal dpr = screen() ? screen()->devicePixelRatio() : 1.0;
    const QPoint origin = screen() ? screen()->geometry().topLeft() : QPoint();
    setGeometry(QRect(origin, QSizeF(showSize_ / dpr).toSize()));
    show();
    raise();
    requestActivate();
    setKeyboardGrabEnabled(true);
    return CreateContext(error);
}

bool GlShowWindow::CreateContext(QString& error)
{
    context_ = std::make_unique<QOpenGLContext>();
    context_->setFormat(CoreFormat());
    context_->setScreen(screen());
    const QSurfaceFormat got = context_->create() ? context_->format() : QSurfaceFormat();
    if (got.majorVersion() * 10 + got.minorVersion() < 33 || got.profile() != QSurfaceFormat::CoreProfile) {
        error = QStringLiteral("no OpenGL 3.3 core context (got %1.%2)").arg(got.majorVersion()).arg(got.minorVersion());
        return false;
    }
    if (!MakeCurrent()) {
        error = QStringLiteral("the OpenGL context cannot be made current on the show window");
        return false;
    }
    subBuffer_ = std::make_unique<GlxSubBufferCopy>(*context_);
    showWhole_ = true;
    return true;
}

bool GlShowWindow::MakeCurrent()
{
    if (!context_ || !context_->makeCurrent(this))
        return false;
    // Mesa's software renderer sizes a window's back buffer anew only after a buffer swap,
    // which a window that keeps its frames never does: after a resize it would go on
    // drawing at the old size. One swap, of the last frame, which the screen already
    // shows, gives the next frame a buffer of the window's new size; that frame is shown
    // whole.
    const QSize size = PixelSize();
    if (size != boundSize_ && isExposed()) {
        if (boundSize_.isValid())
            context_->swapBuffers(this);
        boundSize_ = size;
        showWhole_ = true;
    }
    return true;
}

void GlShowWindow::Present(const std::vector<QRect>& changed)
{
    // Swap interval 1 does not block on every X server, so the frame clock paces.
    const auto wait = clock_.Reserve(FrameClock::Clock::now());
    if (wait > FrameClock::Clock::duration::zero())
        std::this_thread::sleep_for(wait);
    if (!isExposed()) {
        showWhole_ = true;
    } else if (!subBuffer_ || !subBuffer_->Available()) {
        context_->swapBuffers(this);
    } else {
        const QRect whole(QPoint(0, 0), PixelSize());
        if (showWhole_) {
            subBuffer_->Copy(*this, whole);
        } else {
            joined_.clear();
            for (const QRect& rect : changed)
                joined_.push_back(rect & whole);
            JoinRectangles(joined_, RoundTripPixels);
            for (const QRect& part : joined_)
                subBuffer_->Copy(*this, part);
        }
        showWhole_ = false;
    }
    if (presented_++ == 0)
        firstFrameMs_ = MillisecondsSinceProcessStart();
}

void GlShowWindow::keyPressEvent(QKeyEvent*)
{
    if (OnInput)
        OnInput();
}

void GlShowWindow::mousePressEvent(QMouseEvent*)
{
    if (OnInput)
        OnInput();
}

void GlShowWindow::exposeEvent(QExposeEvent* event)
{
    // Without a backing store the server forgets what it showed where the window was hidden.
    showWhole_ = true;
    QWindow::exposeEvent(event);
}
