#include "RunModes.h"

#include "Background.h"
#include "DaemonOptions.h"
#include "HostedShow.h"
#include "InstanceLock.h"
#include "Main.h"
#include "MusicController.h"
#include "MusicLock.h"
#include "Platform.h"
#include "RunningShows.h"
#include "Show2DRoad.h"
#include "Show3DRoad.h"
#include "ShowContext.h"
#include "ShowHost.h"

#include <QGuiApplication>

#include <chrono>
#include <cstdio>
#include <memory>

namespace {

std::unique_ptr<ShowHost> HostFor(const DaemonOptions& options)
{
    switch (options.Place) {
    case ShowPlace::WindowId:
        return ShowHost::Embedding(options.WindowId);
    case ShowPlace::Root:
        return options.WindowId != 0 ? ShowHost::Embedding(options.WindowId) : ShowHost::OnRoot();
    case ShowPlace::OwnWindow:
        break;
    }
    return ShowHost::OwnWindow(QSize(1280, 720));
}

}  // namespace

int RunDaemonMode(const DaemonOptions& options)
{
    // No instance guard here: a daemon runs one show per monitor, each in its own
    // window, and it alone decides when they end (or --stop, before a locker starts).
    const ShowRecord record;
    std::unique_ptr<ShowHost> host = HostFor(options);
    if (!host) {
        std::fprintf(stderr, "kestrova-saver: window 0x%x does not exist on this display\n", options.WindowId);
        return 1;
    }
    if (options.Place != ShowPlace::OwnWindow)
        QuietShowStartErrors();

    SaverSettings settings;
    LoadSettings(settings);
    ApplyOverrides(options.Overrides, settings);
    ShowFlags flags;

    InstanceLock musicLock(MusicLockName());
    SaverSettings musicSettings = MusicSettings(settings, musicLock);
    if (musicSettings.MusicMode == 3 && !MediaPlayerAvailable()) {
        std::fprintf(stderr, "kestrova-saver: no audio output for the media player; the show runs silent\n");
        musicSettings.MusicMode = 0;
    }
    MusicController music(musicSettings, AppFolder().toStdString(), MakeMusicDevices());

    // The place is photographed before the show window covers it.
    const QImage desktop = settings.BackgroundMode == 0 ? host->Snapshot() : QImage();
    auto backgroundFor = [&settings, desktop](int width, int height, QString* error) {
        return BuildBackground(settings.BackgroundMode, QString::fromStdString(settings.BackgroundFile), desktop, width, height, error);
    };
    const QSize size = HostedShowSize(host->Size());
    QString error;
    QImage background = backgroundFor(size.width(), size.height(), &error);
    if (background.isNull()) {
        ShowStartError(StartFailure::BackgroundUnreadable, error, QString::fromStdString(settings.BackgroundFile));
        return 1;
    }

    ShowContext context{settings,
                        flags,
                        music,
                        QGuiApplication::primaryScreen(),
                        static_cast<int16_t>(size.width()),
                        static_cast<int16_t>(size.height()),
                        std::move(background),
                        static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()),
                        host.get(),
                        [backgroundFor](int width, int height) {
                            QString ignored;  // the picture was read once already
                            return backgroundFor(width, height, &ignored);
                        }};
    return settings.AirplaneKind >= 200 ? RunShow3DRoad(context) : RunShow2DRoad(context);
}
