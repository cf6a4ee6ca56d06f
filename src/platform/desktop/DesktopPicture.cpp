#include "DesktopPicture.h"

#include "DesktopParts.h"
#include "GnomeSession.h"
#include "GnomeWallpaper.h"
#include "KWinScreenshot.h"
#include "PlasmaWallpaper.h"
#include "PortalScreenshot.h"
#include "ScreenshotPermission.h"

#include <cstdio>

namespace {

// Said once per process, however many outputs come and go.
void TellOnce(const QString& what)
{
    static bool told = false;
    if (told)
        return;
    told = true;
    std::fprintf(stderr, "kestrova-saver: %s\n", qPrintable(what));
}

}  // namespace

DesktopPicture::DesktopPicture(const std::vector<DesktopOutput>& outputs)
{
    for (const DesktopOutput& output : outputs)
        desktopLogical_ |= output.Logical;
    // GNOME's own services only in its session, so other desktops are not asked for them.
    gnome_ = InGnomeSession();
    if (gnome_) {
        // Only where the user already allowed it: the portal would otherwise ask, over the show.
        if (LookupScreenshotPermission(&missing_) == ScreenshotPermission::Granted)
            desktop_ = PortalScreenshot(1000, &missing_);
        if (missing_.isEmpty())
            missing_ = QStringLiteral("this compositor lets no program copy the screen");
        return;
    }
    desktop_ = KWinWorkspace(QDBusConnection::sessionBus(), std::chrono::milliseconds(1000), &missing_);
    // KWin answering, even with a refusal, is Plasma; so is a session that says so.
    plasma_ = !missing_.isEmpty() || qEnvironmentVariable("XDG_CURRENT_DESKTOP").contains(QLatin1String("KDE"));
    if (missing_.isEmpty())
        missing_ = QStringLiteral("this compositor lets no program copy the screen");
}

QImage DesktopPicture::PartFor(const DesktopOutput& output) const
{
    if (QImage part = OutputPart(desktop_, desktopLogical_, output.Logical, output.Pixels); !part.isNull())
        return part;
    if (!plasma_ && !gnome_) {
        TellOnce(missing_ + QStringLiteral(", so the show's background is black instead of the desktop"));
        return {};
    }
    QString reason;
    QImage wallpaper = gnome_ ? GnomeWallpaper(output.Pixels, &reason)
                              : PlasmaWallpaper(output.Screen, output.Pixels, &reason);
    if (wallpaper.isNull())
        TellOnce(QStringLiteral("%1 and %2, so the show's background is black instead of the desktop")
                     .arg(missing_, reason));
    else
        TellOnce(missing_ + QStringLiteral(", so the show's background is the desktop's wallpaper instead of the "
                                           "desktop"));
    return wallpaper;
}
