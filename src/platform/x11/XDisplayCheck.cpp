#include "XDisplayCheck.h"

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

QString XDisplayProblem(const char* displayName)
{
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && *platform && std::strncmp(platform, "xcb", 3) != 0)
        return {};
    const char* name = displayName ? displayName : std::getenv("DISPLAY");
    if (!name || !*name)
        return QStringLiteral("needs an X display, and DISPLAY is not set");
    xcb_connection_t* connection = xcb_connect(name, nullptr);
    const bool failed = xcb_connection_has_error(connection) != 0;
    xcb_disconnect(connection);
    if (failed)
        return QStringLiteral("needs an X display, and cannot open display \"%1\"").arg(QString::fromLocal8Bit(name));
    return {};
}
