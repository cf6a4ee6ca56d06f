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
    const QString name = qEnvironmentVariable("WAYLAND_DISPLAY");
    const QString wayland = QStringLiteral("no Wayland compositor answers at %1")
                                .arg(name.isEmpty() ? QStringLiteral("wayland-0 in XDG_RUNTIME_DIR (WAYLAND_DISPLAY is not set)")
                                                    : QStringLiteral("WAYLAND_DISPLAY=\"%1\"").arg(name));
    if (wish == DisplaySide::Wayland)
        return wayland;
    return wayland + QStringLiteral("; without one it ") + xProblem;
}
