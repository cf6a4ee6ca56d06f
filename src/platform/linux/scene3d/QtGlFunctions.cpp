#include "QtGlFunctions.h"

#include "QtPictures.h"

#include <QImage>
#include <QOpenGLContext>

bool LoadQtGlFunctions(GlFunctions& functions, QString& error)
{
    QOpenGLContext* context = QOpenGLContext::currentContext();
    if (!context) {
        error = QStringLiteral("no current OpenGL context");
        return false;
    }
    const char* missing = nullptr;
    const GlLookup lookup = [](const char* name, void* owner) {
        return reinterpret_cast<void*>(static_cast<QOpenGLContext*>(owner)->getProcAddress(name));
    };
    if (!LoadGlFunctions(functions, lookup, context, &missing)) {
        error = QStringLiteral("no %1 in the current OpenGL context").arg(QLatin1String(missing));
        return false;
    }
    functions.WindowFramebuffer = context->defaultFramebufferObject();
    return true;
}

Surface ReadTexturePicture(const std::string& path)
{
    const QImage picture(QString::fromStdString(path));
    return picture.isNull() ? Surface() : SurfaceOfImage(picture);
}
