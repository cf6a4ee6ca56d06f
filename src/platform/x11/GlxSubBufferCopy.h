#pragma once

#include <QRect>

class QOpenGLContext;
class QWindow;

// Shows part of a window's back buffer and leaves the back buffer as it was, through
// GLX_MESA_copy_sub_buffer, so the next frame can redraw only what changed. Offered
// where Qt draws through GLX with a driver that has the extension (Mesa's do).
class GlxSubBufferCopy {
public:
    // Looks the extension up for context; Available() says whether it was found.
    explicit GlxSubBufferCopy(QOpenGLContext& context);

    bool Available() const { return copy_ != nullptr; }
    // Copies rect of window's back buffer to its screen; rect in pixels, rows counted
    // from the bottom as GL counts them.
    void Copy(const QWindow& window, const QRect& rect) const;

private:
    using CopyFunction = void (*)(void* display, unsigned long drawable, int x, int y, int width, int height);
    CopyFunction copy_ = nullptr;
    void* display_ = nullptr;
};
