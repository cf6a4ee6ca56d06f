#pragma once

#include "FrameClock.h"
#include "GlxSubBufferCopy.h"

#include <QOpenGLContext>
#include <QRect>
#include <QWindow>

#include <functional>
#include <memory>
#include <vector>

// The window of the three-dimensional show: frameless and stay-on-top at the top-left
// of the screen at the show size (a smaller show leaves the rest of the desktop
// visible), titled "Kestrova Saver", with a blank cursor and an OpenGL 3.3 core
// context. Frames are presented at most once per display refresh. The desktop's video
// mode is never touched.
class GlShowWindow : public QWindow {
    Q_OBJECT
public:
    GlShowWindow(QScreen* screen, QSize showSize);
    ~GlShowWindow() override;

    // Called for a click or any key press, modifiers alone included.
    std::function<void()> OnInput;

    // Shows the window, takes the keyboard and makes its context current. False (with
    // a reason) when no OpenGL 3.3 core context can be had.
    bool Open(QString& error);
    // Only the context, for a window a screen-saver daemon's place has shown.
    bool CreateContext(QString& error);

    bool MakeCurrent();
    // Whether the back buffer still holds the last frame, shown, so the next one can be
    // drawn over it and Present be told only what changed. The context is current on
    // this window alone: Mesa's software renderer forgets a window's pixels when its
    // context moves to another drawable. After an expose or a change of size (which
    // MakeCurrent notices) the next frame is drawn whole.
    bool KeepsFrames() const { return subBuffer_ && subBuffer_->Available() && !showWhole_; }
    // Shows the rendered frame, waiting for the next refresh. When the window keeps its
    // frames only the changed rectangles (pixels, rows counted from the bottom as GL
    // counts them) are sent, unless the screen lost the window's pixels meanwhile;
    // otherwise the buffers are swapped.
    void Present(const std::vector<QRect>& changed);

    // Drawable size in pixels.
    QSize PixelSize() const { return size() * devicePixelRatio(); }
    long PresentedFrames() const { return presented_; }
    // When the first frame reached the screen, in milliseconds after the process started.
    double FirstFrameMilliseconds() const { return firstFrameMs_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void exposeEvent(QExposeEvent* event) override;

private:
    std::unique_ptr<QOpenGLContext> context_;
    std::unique_ptr<GlxSubBufferCopy> subBuffer_;
    bool showWhole_ = true;  // the screen holds none or only part of the window's last frame
    QSize boundSize_;        // the window's size its back buffer was last given
    std::vector<QRect> joined_;
    FrameClock clock_;
    QSize showSize_;
    long presented_ = 0;
    double firstFrameMs_ = -1;
};
