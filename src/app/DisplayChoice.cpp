#include "DisplayChoice.h"

std::optional<DisplaySide> TakeDisplayWish(QStringList& arguments)
{
    std::optional<DisplaySide> wish;
    for (qsizetype i = 0; i < arguments.size();) {
        if (arguments.at(i) == QLatin1String("--wayland"))
            wish = DisplaySide::Wayland;
        else if (arguments.at(i) == QLatin1String("--x11"))
            wish = DisplaySide::X11;
        else {
            ++i;
            continue;
        }
        arguments.removeAt(i);
    }
    return wish;
}

QString NoDisplayMessage(std::optional<DisplaySide> wish, const QString& xProblem)
{
    if (wish == DisplaySide::X11)
        return xProblem;
    if (wish == DisplaySide::Wayland)
        return QStringLiteral("no Wayland compositor answers (WAYLAND_DISPLAY, or wayland-0 in XDG_RUNTIME_DIR)");
    return QStringLiteral("needs a Wayland compositor (WAYLAND_DISPLAY) or an X display (DISPLAY), and neither answers");
}
