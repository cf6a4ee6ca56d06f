#include "RunModes.h"

#include "InstanceLock.h"
#include "SaverSettings.h"
#include "ShowSize.h"

#include <QGuiApplication>
#include <QScreen>

#include <cstdio>

int RunShowMode()
{
    InstanceLock lock(QStringLiteral("Kestrova Saver"));
    if (!lock.TryAcquire())
        return 0;

    SaverSettings settings;
    LoadSettings(settings);
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize physical = screen->geometry().size() * screen->devicePixelRatio();
    const ShowSize size = ShowSizeFor(physical.width(), physical.height(), settings.DisplayMode);
    std::fprintf(stderr, "kestrova-saver: the show (%dx%d) is not built yet\n", size.Width, size.Height);
    return 0;
}
