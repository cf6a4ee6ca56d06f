#include "GlxSubBufferCopy.h"

#include <QGuiApplication>
#include <QOpenGLContext>
#include <QWindow>

#include <cstring>

namespace {

constexpr int GlxScreen = 0x800C;  // GLX_SCREEN

using QueryContext = int (*)(void* display, void* context, int attribute, int* value);
using QueryExtensions = const char* (*)(void* display, int screen);

bool HasExtension(const char* list, const char* name)
{
    const size_t length = std::strlen(name);
    for (const char* at = list; (at = std::strstr(at, name)); at += length) {
        if ((at == list || at[-1] == ' ') && (at[length] == ' ' || at[length] == '\0'))
            return true;
    }
    return false;
}

}  // namespace

GlxSubBufferCopy::GlxSubBufferCopy(QOpenGLContext& context)
{
    const auto* glx = context.nativeInterface<QNativeInterface::QGLXContext>();
    const auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!glx || !x11 || !x11->display())
        return;
    const auto queryContext = reinterpret_cast<QueryContext>(context.getProcAddress("glXQueryContext"));
    const auto queryExtensions = reinterpret_cast<QueryExtensions>(context.getProcAddress("glXQueryExtensionsString"));
    if (!queryContext || !queryExtensions)
        return;
    void* display = x11->display();
    // A dispatching GL library hands out an entry point for any name: only the
    // extension list of the context's screen tells whether the driver has it.
    int screen = 0;
    if (queryContext(display, glx->nativeContext(), GlxScreen, &screen) != 0)
        return;
    const char* extensions = queryExtensions(display, screen);
    if (!extensions || !HasExtension(extensions, "GLX_MESA_copy_sub_buffer"))
        return;
    copy_ = reinterpret_cast<CopyFunction>(context.getProcAddress("glXCopySubBufferMESA"));
    display_ = display;
}

void GlxSubBufferCopy::Copy(const QWindow& window, const QRect& rect) const
{
    copy_(display_, window.winId(), rect.x(), rect.y(), rect.width(), rect.height());
}
