#pragma once

#include "FrameClock.h"

#include <QOpenGLContext>
#include <QWindow>

#include <functional>
#include <memory>

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
    // Swaps the rendered frame to the screen, waiting for the next refresh.
    void Present();

    // Drawable size in pixels.
    QSize PixelSize() const { return size() * devicePixelRatio(); }
    long PresentedFrames() const { return presented_; }
    // When the first frame reached the screen, in milliseconds after the process started.
    double FirstFrameMilliseconds() const { return firstFrameMs_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    std::unique_ptr<QOpenGLContext> context_;
    FrameClock clock_;
    QSize showSize_;
    long presented_ = 0;
    double firstFrameMs_ = -1;
};
