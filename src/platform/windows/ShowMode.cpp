#include "RunModes.h"

#include "Flight.h"
#include "FrameComposer.h"
#include "LaunchAircraft.h"
#include "Platform.h"
#include "ShowBackground.h"
#include "ShowLoop.h"
#include "ShowSize.h"
#include "FullScreenWindow.h"
#include "StartFlightModel.h"
#include "StepAircraft.h"
#include "WideText.h"

#include <mmsystem.h>

#include <chrono>
#include <stdexcept>

namespace {

// Pumps the window events once, as the loop's last step does.
void ProcessEvents()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

std::optional<CursorPoint> CursorPosition()
{
    POINT p{};
    if (!GetCursorPos(&p))
        return std::nullopt;
    return CursorPoint{p.x, p.y};
}

std::optional<CursorPoint> CaretPosition()
{
    POINT p{};
    if (!GetCaretPos(&p))
        return std::nullopt;
    return CursorPoint{p.x, p.y};
}

void Fly(SaverSettings& settings, FullScreenWindow& window, int16_t width, int16_t height, Surface background)
{
    ShowFlags flags;
    window.OnEnd = [&flags] {
        if (flags.SaverMode == -1)
            flags.ExitRequest = 1;
    };
    Flight flight(settings, width, height,
                  static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()));
    FrameComposer composer(width, height);
    composer.SetBackground(background);
    composer.LoadSmokeSurfaces(ReadSmokePictures());
    composer.SetPresenter([&window, &composer](const Surface& frame) {
        window.Present(frame, [&composer](auto visit) { composer.ForEachChangedRun(visit); });
    });

    KindChangeTimer kindTimer;
    bool minuteTimerRuns = false;
    window.OnMinuteTick = [&] {
        if (minuteTimerRuns)
            kindTimer.Tick(flight.KindChangeRequest);
    };
    const auto startFlight = [&] {
        const int16_t kind = StartFlightModel(flight);
        minuteTimerRuns = settings.AirplaneKind == 101;
        composer.LoadKindSprites(kind, ReadHeadingPictures(kind), KindCellEdge(kind));
        LaunchAircraft(flight);
        StepAircraft(flight, composer);
        ProcessEvents();
    };
    startFlight();

    ShowLoopPorts ports{[&] {
                            LaunchAircraft(flight);
                            StepAircraft(flight, composer);
                        },
                        CursorPosition,
                        [](int ms) { Sleep(static_cast<DWORD>(ms)); },
                        ProcessEvents,
                        startFlight};
    ports.CaretPosition = CaretPosition;
    ShowLoop loop(flags, flight.KindChangeRequest, settings.AirplaneKind, settings.BlueWait, std::move(ports));
    loop.RememberPositions();
    ProcessEvents();
    loop.Run();
}

}  // namespace

void ShowStartError(const std::string& text)
{
    MessageBoxW(nullptr, WideOfUtf8(text).c_str(), ShowWindowTitle, MB_OK | MB_ICONSTOP | MB_TOPMOST);
}

int RunShowMode()
{
    SaverSettings settings;
    LoadSettings(settings);
    const ShowSize size =
        ShowSizeFor(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), settings.DisplayMode);
    if (settings.AirplaneKind >= 200) {
        ShowStartError("The three-dimensional kinds do not run on Windows yet.");
        return 1;
    }

    // The desktop is photographed before the show window appears.
    std::string error;
    std::optional<Surface> background =
        BuildBackground(settings.BackgroundMode, settings.BackgroundFile, size.Width, size.Height, &error);
    if (!background) {
        ShowStartError(error);
        return 1;
    }

    FullScreenWindow window(size.Width, size.Height);
    if (!window.Valid()) {
        ShowStartError("The show window could not be made.");
        return 1;
    }
    // Sleeps of a few milliseconds need the finer system timer.
    timeBeginPeriod(1);
    window.Open();
    int status = 0;
    try {
        Fly(settings, window, size.Width, size.Height, std::move(*background));
    } catch (const std::exception& failure) {
        // A picture the show cannot read: give the screen back first, then say why.
        window.Close();
        ShowStartError(failure.what());
        status = 1;
    }
    window.Close();
    timeEndPeriod(1);
    return status;
}
