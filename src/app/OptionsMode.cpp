#include "RunModes.h"

#include "ExitSignals.h"

#include "InstanceLock.h"
#include "Platform.h"
#include "frmOption.h"

#include <QApplication>
#include <QScreen>

int RunOptionsMode()
{
    InstanceLock lock(QStringLiteral("Kestrova Saver Option"));
    if (!lock.TryAcquire())
        return 0;

    // A signal closes this window as Cancel would.
    ExitSignals closeOnSignal([] { QCoreApplication::exit(0); });
    SaverSettings settings;
    LoadSettings(settings);
    QCoreApplication::processEvents();

    frmOption dialog(settings);
    dialog.adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        dialog.move(area.x() + (area.width() - dialog.width()) / 2, area.y() + (area.height() - dialog.height()) / 2);
    }
    dialog.exec();
    return 0;
}
