#include "RunModes.h"

#include "ExitSignals.h"

#include "GnomeSession.h"
#include "InstanceLock.h"
#include "Platform.h"
#include "PortalScreenshot.h"
#include "ScreenshotPermission.h"
#include "frmOption.h"

#include <QApplication>
#include <QScreen>

#include <cstdio>

namespace {

// GNOME asks the user once whether programs may take screenshots, and the show must never
// make it ask. So the one screenshot that lets it ask is taken here, after OK chose the
// desktop as the background, while the user is at the screen.
void LetGnomeAskForScreenshots()
{
    if (!InGnomeSession() || qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return;
    QString reason;
    if (LookupScreenshotPermission(&reason) != ScreenshotPermission::Undecided)
        return;
    // The user answers GNOME's question first; the picture itself is not needed.
    PortalScreenshot(120000, &reason);
    if (LookupScreenshotPermission(&reason) != ScreenshotPermission::Granted)
        std::fprintf(stderr, "kestrova-saver: %s, so the show's background on GNOME is the desktop's wallpaper\n",
                     qPrintable(reason));
}

}  // namespace

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
    if (dialog.exec() == QDialog::Accepted && settings.BackgroundMode == 0)
        LetGnomeAskForScreenshots();
    return 0;
}
