#include "RunModes.h"

#include "Monitors.h"
#include "MonitorShow.h"
#include "MusicController.h"
#include "Platform.h"
#include "ShowBackground.h"
#include "ShowInput.h"
#include "ShowLoop.h"
#include "Show3DRoad.h"
#include "ShowSize.h"
#include "JapaneseMessageBox.h"
#include "WideText.h"

#include <mmsystem.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <vector>

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
    JapaneseMessageBox(nullptr,
                       "WindowsMediaPlayerを利用できません。\r"
                       "WindowsMediaPlayerをインストールするか、\r"
                       "設定の演奏項目を変更してください。",
                       StartFailureTitle, MB_OK | MB_ICONSTOP | MB_TOPMOST);
}

uint64_t Now()
{
    return static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
}

// The primary monitor's show leads: its timers, its kind changes and the music; every
// other monitor starts a new flight with it and steps with it.
void Fly(SaverSettings& settings, std::vector<std::unique_ptr<MonitorShow>>& shows, MusicController& music)
{
    ShowFlags flags;
    for (auto& show : shows) {
        show->Window().OnEnd = [&flags] {
            if (flags.SaverMode == -1)
                flags.ExitRequest = 1;
        };
        show->LoadSmoke();
    }
    MonitorShow& primary = *shows.front();

    KindChangeTimer kindTimer;
    bool minuteTimerRuns = false;
    primary.Window().OnMinuteTick = [&] {
        if (minuteTimerRuns)
            kindTimer.Tick(primary.KindChangeRequest());
    };
    primary.Window().OnMusicTick = [&music] { music.MusicControl(MusicController::Poll); };
    const auto stepAll = [&shows] {
        for (auto& show : shows)
            show->Step();
    };
    const auto startFlight = [&] {
        for (auto& show : shows)
            show->ChooseKind();
        minuteTimerRuns = settings.AirplaneKind == 101;
        music.MusicControl(MusicController::Start);
        stepAll();
        ProcessEvents();
        primary.Window().StartMusicTimer();
    };
    startFlight();

    ShowLoopPorts ports{stepAll, CursorPosition, [](int ms) { Sleep(static_cast<DWORD>(ms)); }, ProcessEvents,
                        startFlight};
    ports.CaretPosition = CaretPosition;
    ShowLoop loop(flags, primary.KindChangeRequest(), settings.AirplaneKind, settings.BlueWait, std::move(ports));
    loop.RememberPositions();
    ProcessEvents();
    loop.Run();
}

}  // namespace

void ShowStartError(StartFailure failure, const std::string& detail, const std::string& file)
{
    std::fprintf(stderr, "kestrova-saver: %s\n", detail.c_str());
    JapaneseMessageBox(nullptr, StartFailureText(failure, file), StartFailureTitle, MB_OK | MB_ICONSTOP | MB_TOPMOST);
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
    StartFailure failure{};
    std::string error;
    std::optional<Surface> background =
        BuildBackground(settings.BackgroundMode, settings.BackgroundFile, PrimaryMonitor(), size.Width, size.Height,
                        &failure, &error);
    if (!background) {
        ShowStartError(failure, error, settings.BackgroundFile);
        return 1;
    }
    // Every other monitor's background too, before any show window covers its monitor.
    std::vector<OtherMonitorShow> others;
    for (const RECT& monitor : OtherMonitors()) {
        const ShowSize own =
            OtherMonitorShowSize(monitor.right - monitor.left, monitor.bottom - monitor.top, settings.DisplayMode);
        std::optional<Surface> ownBackground = BuildBackground(settings.BackgroundMode, settings.BackgroundFile,
                                                               monitor, own.Width, own.Height, &failure, &error);
        if (!ownBackground) {
            ShowStartError(failure, error, settings.BackgroundFile);
            return 1;
        }
        // Seeds far apart, so no two monitors fly alike.
        const uint64_t seed = Now() + (others.size() + 1) * 0x9E3779B97F4A7C15ull;
        others.push_back({monitor, own, std::move(*ownBackground), seed});
    }
    if (settings.AirplaneKind >= 200) {
        timeBeginPeriod(1);
        const int status =
            RunShow3DRoad(settings, music, ProgramFolder(), size.Width, size.Height, *background, others);
        timeEndPeriod(1);
        return status;
    }

    std::vector<std::unique_ptr<MonitorShow>> shows;
    shows.push_back(std::make_unique<MonitorShow>(settings, PrimaryMonitor(), size, ShowWindowTitle, Now(),
                                                  std::move(*background)));
    for (OtherMonitorShow& other : others)
        shows.push_back(std::make_unique<MonitorShow>(settings, other.Monitor, other.Size, OtherMonitorWindowTitle,
                                                      other.Seed, std::move(other.Background)));
    for (const auto& show : shows) {
        if (!show->Valid()) {
            ShowStartError(StartFailure::WindowNotMade, "The show window could not be made.");
            return 1;
        }
    }
    // Sleeps of a few milliseconds need the finer system timer.
    timeBeginPeriod(1);
    // The primary opens last, so it ends up in front with the keyboard.
    for (size_t i = shows.size(); i-- > 0;)
        shows[i]->Window().Open(i == 0);
    int status = 0;
    try {
        Fly(settings, shows, music);
    } catch (const std::exception& failure) {
        // A picture the show cannot read: give the screen back first, then say why.
        music.MusicControl(MusicController::Stop);
        for (auto& show : shows)
            show->Window().Close();
        ShowStartError(StartFailure::PictureUnreadable, failure.what());
        status = 1;
    }
    music.MusicControl(MusicController::Stop);
    for (auto& show : shows)
        show->Window().Close();
    timeEndPeriod(1);
    return status;
}
