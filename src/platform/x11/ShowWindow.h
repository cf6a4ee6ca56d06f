#pragma once

#include "FrameClock.h"
#include "SharedFrame.h"

#include <QBackingStore>
#include <QImage>
#include <QRegion>
#include <QWindow>

#include <functional>
#include <memory>
#include <span>

// The window of the two-dimensional show: frameless, stay-on-top, covering the primary
// screen, with a blank cursor and the keyboard grabbed. Each composed frame is shown
// through a shared-memory backing store, paced to the display's refresh. A show smaller
// than the screen is scaled up keeping its aspect ratio, with black bars around it.
// The desktop's video mode is never touched.
class ShowWindow : public QWindow {
    Q_OBJECT
public:
    explicit ShowWindow(QScreen* screen);
    ~ShowWindow() override;

    // Called for a click or any key press, modifiers alone included.
    std::function<void()> OnInput;

    // Shows the window over the whole screen and takes the keyboard.
    void Open();

    // Presents one show-size frame; `changed` holds the parts of the frame that differ
    // from the previous one (the whole frame when empty), y-x banded: bands top to
    // bottom, each band's parts left to right, none overlapping or touching sideways.
    // Waits for the next refresh.
    void Present(const QImage& frame, std::span<const QRect> changed = {});

    // Memory to compose show-size frames into that the X server reads directly, when
    // the window shows them one to one and the server can share memory with us; else
    // nullptr, and frames go through the backing store. Valid until the next call. Called
    // once per flight, before its first frame.
    uint32_t* SharedFramePixels(QSize frameSize);

    long PresentedFrames() const { return presented_; }
    // When the first frame reached the screen, in milliseconds after the process started.
    double FirstFrameMilliseconds() const { return firstFrameMs_; }

protected:
    void exposeEvent(QExposeEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QRect TargetRect(QSize frameSize) const;
    void Paint(const QImage& frame, std::span<const QRect> changedParts);

    std::unique_ptr<QBackingStore> store_;
    std::unique_ptr<SharedFrame> shared_;
    FrameClock clock_;
    QImage last_;
    long presented_ = 0;
    double firstFrameMs_ = -1;
    bool needsFullPaint_ = true;
};
