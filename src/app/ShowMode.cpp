#include "RunModes.h"

#include "Background.h"
#include "InstanceLock.h"
#include "Main.h"
#include "MusicController.h"
#include "MusicLock.h"
#include "ProcessClock.h"
#include "Platform.h"
#include "RunningShows.h"
#include "Show2DRoad.h"
#include "Show3DRoad.h"
#include "ShowContext.h"
#include "ShowSize.h"
#include "StartMessage.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>

#include <chrono>
#include <cstdio>
#include <ctime>

namespace {

void ShowMediaPlayerError()
{
    QMessageBox box(QMessageBox::Critical, QStringLiteral("エラー情報"),
                    QStringLiteral("WindowsMediaPlayerを利用できません。\n"
                                   "WindowsMediaPlayerをインストールするか、\n"
                                   "設定の演奏項目を変更してください。"),
                    QMessageBox::Ok);
    ExecStartMessage(box);
}

}  // namespace

namespace {
bool quietStartErrors = false;
}  // namespace

void QuietShowStartErrors()
{
    quietStartErrors = true;
}

void ShowStartError(StartFailure failure, const QString& detail, const QString& file)
{
    std::fprintf(stderr, "kestrova-saver: %s\n", qPrintable(detail));
    if (quietStartErrors)
        return;
    QMessageBox box(QMessageBox::Critical, QString::fromUtf8(StartFailureTitle),
                    QString::fromStdString(StartFailureText(failure, file.toStdString())), QMessageBox::Ok);
    ExecStartMessage(box);
}

void ReportShowStats(long presentedFrames, double wallSeconds, double firstFrameMs)
{
    if (qEnvironmentVariableIntValue("KESTROVA_STATS") != 1)
        return;
    timespec cpu{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
    std::fprintf(stderr, "frames=%ld seconds=%.3f cpu=%.3f\n", presentedFrames, wallSeconds,
                 cpu.tv_sec + cpu.tv_nsec / 1e9);
    std::fprintf(stderr, "startup_ms=%.1f peak_rss_mb=%.1f\n", firstFrameMs, PeakResidentMegabytes());
}

int RunShowMode()
{
    InstanceLock lock(QStringLiteral("Kestrova Saver"));
    if (!lock.TryAcquire())
        return 0;
    const ShowRecord record;

    SaverSettings settings;
    LoadSettings(settings);
    ShowFlags flags;

    // Sizes are physical pixels, so a scaled (HiDPI) screen is used to its last pixel.
    QScreen* screen = QGuiApplication::primaryScreen();
    const QSize physical = screen->geometry().size() * screen->devicePixelRatio();
    const ShowSize size = ShowSizeFor(physical.width(), physical.height(), settings.DisplayMode);

    if (settings.MusicMode == 3 && !MediaPlayerAvailable()) {
        ShowMediaPlayerError();
        return 0;
    }
    InstanceLock musicLock(MusicLockName());
    MusicController music(MusicSettings(settings, musicLock), AppFolder().toStdString(), MakeMusicDevices());

    // The desktop is photographed before any window of the show appears.
    QImage desktop;
    if (settings.BackgroundMode == 0)
        desktop = screen->grabWindow(0).toImage();
    QString error;
    QImage background =
        BuildBackground(settings.BackgroundMode, QString::fromStdString(settings.BackgroundFile), desktop, size.Width, size.Height, &error);
    if (background.isNull()) {
        ShowStartError(StartFailure::BackgroundUnreadable, error, QString::fromStdString(settings.BackgroundFile));
        return 1;
    }

    ShowContext context{settings, flags, music, screen, size.Width, size.Height, std::move(background),
                        static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()),
                        nullptr, {}};
    return settings.AirplaneKind >= 200 ? RunShow3DRoad(context) : RunShow2DRoad(context);
}
