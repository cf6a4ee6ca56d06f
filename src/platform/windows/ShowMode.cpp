#include "RunModes.h"

#include "Flight.h"
#include "FrameComposer.h"
#include "LaunchAircraft.h"
#include "MusicController.h"
#include "Platform.h"
#include "ShowBackground.h"
#include "ShowInput.h"
#include "ShowLoop.h"
#include "Show3DRoad.h"
#include "ShowSize.h"
#include "FullScreenWindow.h"
#include "StartFlightModel.h"
#include "StepAircraft.h"
#include "WideText.h"

#include <mmsystem.h>

#include <chrono>
#include <stdexcept>

namespace {

// The folder of the .scr, ending with a backslash: a bare music file name lives there.
std::string ProgramFolder()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return Utf8OfWide(path.substr(0, path.find_last_of(L'\\') + 1));
}

void ShowMediaPlayerError()
{
    MessageBoxW(nullptr,
                L"WindowsMediaPlayer\u3092\u5229\u7528\u3067\u304D\u307E\u305B\u3093\u3002\r"
                L"WindowsMediaPlayer\u3092\u30A4\u30F3\u30B9\u30C8\u30FC\u30EB\u3059\u308B\u304B\u3001\r"
                L"\u8A2D\u5B9A\u306E\u6F14\u594F\u9805\u76EE\u3092\u5909\u66F4\u3057\u3066\u304F\u3060\u3055\u3044\u3002",
                L"\u30A8\u30E9\u30FC\u60C5\u5831", MB_OK | MB_ICONSTOP | MB_TOPMOST);
}

void Fly(SaverSettings& settings, FullScreenWindow& window, MusicController& music, int16_t width, int16_t height,
         Surface background)
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
        window.Present(frame, [&composer](auto visit) { composer.ForEachChangedBlock(visit); });
    });

    KindChangeTimer kindTimer;
    bool minuteTimerRuns = false;
    window.OnMinuteTick = [&] {
        if (minuteTimerRuns)
            kindTimer.Tick(flight.KindChangeRequest);
    };
    window.OnMusicTick = [&music] { music.MusicControl(MusicController::Poll); };
    const auto startFlight = [&] {
        const int16_t kind = StartFlightModel(flight);
        minuteTimerRuns = settings.AirplaneKind == 101;
        composer.LoadKindSprites(kind, ReadHeadingPictures(kind), KindCellEdge(kind));
        music.MusicControl(MusicController::Start);
        LaunchAircraft(flight);
        StepAircraft(flight, composer);
        ProcessEvents();
        window.StartMusicTimer();
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
    if (settings.MusicMode == 3 && !MediaPlayerAvailable()) {
        ShowMediaPlayerError();
        return 0;
    }
    MusicController music(settings, ProgramFolder(), MakeMusicDevices());

    // The desktop is photographed before the show window appears.
    std::string error;
    std::optional<Surface> background =
        BuildBackground(settings.BackgroundMode, settings.BackgroundFile, size.Width, size.Height, &error);
    if (!background) {
        ShowStartError(error);
        return 1;
    }
    if (settings.AirplaneKind >= 200) {
        timeBeginPeriod(1);
        const int status =
            RunShow3DRoad(settings, music, ProgramFolder(), size.Width, size.Height, *background);
        timeEndPeriod(1);
        return status;
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
        Fly(settings, window, music, size.Width, size.Height, std::move(*background));
    } catch (const std::exception& failure) {
        // A picture the show cannot read: give the screen back first, then say why.
        music.MusicControl(MusicController::Stop);
        window.Close();
        ShowStartError(failure.what());
        status = 1;
    }
    music.MusicControl(MusicController::Stop);
    window.Close();
    timeEndPeriod(1);
    return status;
}
