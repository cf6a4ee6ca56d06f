#include "Show2DRoad.h"

#include "Flight.h"
#include "FrameComposer.h"
#include "HostedShow.h"
#include "KindChange.h"
#include "LaunchAircraft.h"
#include "MusicController.h"
#include "QtPictures.h"
#include "ShowContext.h"
#include "ShowHost.h"
#include "ShowLoop.h"
#include "ShowWindow.h"
#include "StartFlightModel.h"
#include "StepAircraft.h"

#include <QCoreApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QThread>
#include <QTimer>

#include <optional>
#include <vector>

namespace {

int RunRoad(ShowContext& ctx, ShowWindow& window);

}  // namespace

int RunShow2DRoad(ShowContext& ctx)
{
    ShowWindow window(ctx.Screen);
    try {
        return RunRoad(ctx, window);
    } catch (const std::exception& failure) {
        // A picture the show cannot read: give the screen back first, then say why.
        window.setKeyboardGrabEnabled(false);
        window.hide();
        ctx.Music.MusicControl(1);
        ShowStartError(StartFailure::PictureUnreadable, QString::fromUtf8(failure.what()));
        return 1;
    }
}

namespace {

// One flight at the context's show size: start-up, then the show loop until it ends.
// The clock starts with the first loop.
void FlyAtShowSize(ShowContext& ctx, ShowWindow& window, HostedShow& place, QElapsedTimer& clock)
{
    SaverSettings& settings = ctx.Settings;
    ShowFlags& flags = ctx.Flags;

    Flight flight(settings, ctx.ScreenWidth, ctx.ScreenHeight, ctx.Seed);
    FrameComposer composer(ctx.ScreenWidth, ctx.ScreenHeight);
    composer.SetBackground(SurfaceOfImage(ctx.Background));
    if (uint32_t* shared = window.SharedFramePixels(QSize(ctx.ScreenWidth, ctx.ScreenHeight)))
        composer.ComposeInto(shared);
    // Only the tiles drawn in this frame or the last one go to the screen.
    std::vector<QRect> changed;
    changed.reserve(static_cast<size_t>(composer.MostChangedRuns()));
    composer.SetPresenter([&window, &composer, &changed](const Surface& frame) {
        changed.clear();
        composer.ForEachChangedRun(
            [&changed](const Rect& r) { changed.emplace_back(r.Left, r.Top, r.Width(), r.Height()); });
        window.Present(ImageView(frame, QImage::Format_RGB32), changed);
    });

    KindChangeTimer kindTimer;
    QTimer timer1;
    timer1.setInterval(60000);
    QObject::connect(&timer1, &QTimer::timeout, [&] { kindTimer.Tick(flight.KindChangeRequest); });
    QTimer timer2;
    timer2.setInterval(2000);
    QObject::connect(&timer2, &QTimer::timeout, [&] { ctx.Music.MusicControl(2); });

    // Pictures made ahead by a kind change, or none: the first flight starts making its own.
    auto startFlight = [&](std::optional<KindSprites> madeAhead) {
        const int16_t kind = StartFlightModel(flight);
        if (settings.AirplaneKind == 101)
            timer1.start();
        if (!madeAhead) {
            // The first frame makes or waits for only the sizes it draws.
            madeAhead.emplace();
            madeAhead->Start(kind, HeadingPictureReader(kind), KindCellEdge(kind));
        }
        composer.UseKindSprites(std::move(*madeAhead));
        ctx.Music.MusicControl(0);
        LaunchAircraft(flight);
        StepAircraft(flight, composer);
        composer.MakeTheRestOfTheKindInTheBackground();
        QCoreApplication::processEvents();
        timer2.start();
    };
    startFlight(std::nullopt);
    // The first frame draws no smoke (a frame draws its smoke before its aircraft lay
    // any trail point), so it need not wait for the smoke pictures.
    composer.LoadSmokeSurfaces(ReadSmokePictures());

    KindChange kindChange([](int kind) {
        KindSprites sprites;
        sprites.Load(kind, HeadingPictureReader(kind), KindCellEdge(kind));
        return sprites;
    });
    ShowLoop loop(flags, flight.KindChangeRequest, settings.AirplaneKind, settings.BlueWait,
                  {[&] {
                       LaunchAircraft(flight);
                       StepAircraft(flight, composer);
                       if (std::optional<KindSprites> ready = kindChange.TakeReady(flight))
                           startFlight(std::move(ready));
                       place.AskRestartOnNewSize();
                   },
                   place.CursorPosition(),
                   [](int ms) { QThread::msleep(ms); },
                   [] { QCoreApplication::processEvents(); },
                   [&] { kindChange.Begin(flight); }});
    loop.RememberPositions();
    QCoreApplication::processEvents();
    if (!clock.isValid())
        clock.start();
    loop.Run();
}

int RunRoad(ShowContext& ctx, ShowWindow& window)
{
    ShowFlags& flags = ctx.Flags;

    HostedShow place(ctx);
    if (place.Hosted()) {
        ctx.Host->Place(window);
    } else {
        window.OnInput = [&flags] {
            if (flags.SaverMode == -1)
                flags.ExitRequest = 1;
        };
        window.Open();
    }

    QElapsedTimer clock;
    // A daemon's window that changes size gets a new flight at its new size.
    do {
        FlyAtShowSize(ctx, window, place, clock);
    } while (place.TakeNewSize());

    // Shutdown: music, display, cursor, window.
    window.unsetCursor();
    ctx.Music.MusicControl(1);
    window.setKeyboardGrabEnabled(false);
    window.hide();
    ReportShowStats(window.PresentedFrames(), clock.elapsed() / 1000.0, window.FirstFrameMilliseconds());
    return 0;
}

}  // namespace
