#include "RunModes.h"

#include "Background.h"
#include "DesktopPicture.h"
#include "EglOutput.h"
#include "ExitSignals.h"
#include "GnomeOverview.h"
#include "GnomeSession.h"
#include "InstanceLock.h"
#include "LockFiles.h"
#include "Main.h"
#include "ModelFile.h"
#include "ModelMeshLoader.h"
#include "MusicController.h"
#include "MusicLock.h"
#include "OutputArrivals.h"
#include "OutputShow.h"
#include "OutputShow3D.h"
#include "OutputSnapshot.h"
#include "Platform.h"
#include "ProcessClock.h"
#include "QtPictures.h"
#include "RunningShows.h"
#include "SessionLockThread.h"
#include "ShowContext.h"
#include "ShowSize.h"
#include "WaylandDisplay.h"
#include "WorkFiles.h"

#include <QCoreApplication>
#include <QLockFile>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

using Clock = OutputShow::Clock;

// What the outputs' shows share, and the making of one for each output that comes.
class WaylandShow {
public:
    // aircraft: the 3D kinds' model, null for the 2D show.
    WaylandShow(WaylandDisplay& display, SaverSettings& settings, ShowFlags& flags, MusicController& music,
                const Mesh* aircraft)
        : display_(display), settings_(settings), flags_(flags), music_(music), aircraft_(aircraft),
          seed_(static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()))
    {
    }

    // Shows for the outputs that came, none for those that went, new flights where an
    // output's size changed. False (with the reason said) when a background cannot be made.
    bool FollowOutputs();
    // One pass of every show that is due; false when the show must end.
    bool Pass();
    // How long the loop may wait for the compositor before some show has work.
    int WaitMilliseconds() const;
    // A surface the compositor closed: the show ends unless its output went away.
    bool SurfaceClosed() const { return closed_; }
    bool AllClosedWentWithTheirOutputs();

    long PresentedFrames() const
    {
        long frames = presented_;
        for (const Entry& entry : shows_)
            if (entry.Show)  // none where its start failed
                frames += entry.Show->Place().PresentedFrames();
        return frames;
    }

private:
    struct Entry {
        const WaylandOutput* Output;
        Surface Desktop;  // the output's picture before the show; empty when not wanted or not had
        std::unique_ptr<ShowOnOutput> Show;
    };

    bool Add(const std::vector<WaylandOutput*>& outputs);
    std::vector<Surface> DesktopParts(const std::vector<std::unique_ptr<ShowSurface>>& coming);
    bool FollowSizes();
    bool Start(Entry& entry, std::unique_ptr<ShowSurface> surface);
    void DropShowsOf(const std::vector<std::unique_ptr<WaylandOutput>>& gone);

    WaylandDisplay& display_;
    SaverSettings& settings_;
    ShowFlags& flags_;
    MusicController& music_;
    const Mesh* aircraft_;
    std::unique_ptr<EglDisplay> egl_;  // opened for the first 3D show; outlives the shows' contexts
    uint64_t seed_;  // the next flight's
    bool toldNoDesktop_ = false;
    int screens_ = 0;  // outputs seen so far, numbered as they came
    bool closed_ = false;
    bool started_ = false;  // the outputs there at the start have their shows
    // Outputs plugged in during a desktop show wait until the compositor has drawn them.
    OutputArrivals arrivals_{std::chrono::seconds(1)};
    long presented_ = 0;  // by shows of outputs that went
    std::vector<Entry> shows_;
};

bool WaylandShow::Add(const std::vector<WaylandOutput*>& outputs)
{
    // Each output is photographed before the show covers it: by the compositor itself where
    // it copies outputs, else (below) as part of one picture of the whole desktop.
    const bool wantDesktop = settings_.BackgroundMode == 0;
    const bool copies = display_.Screencopy() != nullptr;
    std::vector<Surface> desktops;
    std::vector<std::unique_ptr<ShowSurface>> coming;
    for (WaylandOutput* output : outputs) {
        desktops.push_back(wantDesktop && copies ? OutputSnapshot(display_, *output) : Surface());
        if (wantDesktop && copies && desktops.back().Width() == 0 && !toldNoDesktop_) {
            toldNoDesktop_ = true;
            std::fprintf(stderr, "kestrova-saver: the compositor's copy of an output failed, so the show's "
                                 "background is black instead of the desktop there\n");
        }
        coming.push_back(display_.MakeSurface(*output));
        coming.back()->OnClosed = [this] { closed_ = true; };
    }
    // Configured, so their sizes are known, but nothing shown on them yet.
    const auto unconfigured = [&coming] {
        return std::any_of(coming.begin(), coming.end(), [](const auto& s) { return s->PixelWidth() == 0; });
    };
    while (unconfigured() && !closed_)
        if (!display_.Roundtrip())
            return false;
    // A surface the compositor closed instead gets no show (the loop then asks why).
    std::vector<WaylandOutput*> places;
    for (size_t i = 0; i < coming.size(); ++i) {
        if (coming[i]->PixelWidth() == 0)
            continue;
        const size_t kept = places.size();
        places.push_back(outputs[i]);
        if (kept != i) {
            desktops[kept] = std::move(desktops[i]);
            coming[kept] = std::move(coming[i]);
        }
    }
    coming.resize(places.size());
    if (wantDesktop && !copies)
        desktops = DesktopParts(coming);
    for (size_t i = 0; i < coming.size(); ++i) {
        shows_.push_back({places[i], std::move(desktops[i]), nullptr});
        if (!Start(shows_.back(), std::move(coming[i])))
            return false;
    }
    return true;
}

std::vector<Surface> WaylandShow::DesktopParts(const std::vector<std::unique_ptr<ShowSurface>>& coming)
{
    const auto place = [](const ShowSurface& surface, int screen) {
        return DesktopOutput{screen, QRect(surface.Output().X(), surface.Output().Y(), surface.LogicalWidth(),
                                           surface.LogicalHeight()),
                             QSize(surface.PixelWidth(), surface.PixelHeight())};
    };
    // The whole desktop's picture covers the outputs that already show too.
    std::vector<DesktopOutput> all;
    for (const Entry& entry : shows_)
        if (entry.Show)
            all.push_back(place(entry.Show->Place(), 0));
    std::vector<DesktopOutput> mine;
    for (const auto& surface : coming)
        mine.push_back(place(*surface, screens_++));
    all.insert(all.end(), mine.begin(), mine.end());
    const DesktopPicture desktop(all);
    std::vector<Surface> parts;
    for (const DesktopOutput& output : mine) {
        const QImage part = desktop.PartFor(output);
        parts.push_back(part.isNull() ? Surface() : SurfaceOfImage(part));
    }
    return parts;
}

bool WaylandShow::Start(Entry& entry, std::unique_ptr<ShowSurface> surface)
{
    const ShowSize size = ShowSizeFor(surface->PixelWidth(), surface->PixelHeight(), settings_.DisplayMode);
    // Every show compares the same pointer: moving it over any output ends them all.
    auto cursor = [&display = display_] {
        const LayoutPoint travel = display.PointerTravel();
        return std::optional<CursorPoint>(CursorPoint{travel.X, travel.Y});
    };
    // A plain colour needs no picture of the output's size.
    const std::optional<uint32_t> colour = BackgroundColour(settings_.BackgroundMode);
    if (!aircraft_ && colour) {
        entry.Show = std::make_unique<OutputShow>(settings_, flags_, music_, std::move(surface),
                                                  ShowBackground{size, Surface(), *colour}, seed_++, cursor);
        return true;
    }
    QString error;
    const QString file = QString::fromStdString(settings_.BackgroundFile);
    const QImage desktop = entry.Desktop.Width() ? ImageView(entry.Desktop, QImage::Format_RGB32) : QImage();
    if (!aircraft_) {
        Surface picture(size.Width, size.Height);
        if (!PaintBackground(picture, settings_.BackgroundMode, file, desktop, &error)) {
            ShowStartError(StartFailure::BackgroundUnreadable, error, file);
            return false;
        }
        entry.Show = std::make_unique<OutputShow>(settings_, flags_, music_, std::move(surface),
                                                  ShowBackground{size, std::move(picture)}, seed_++, cursor);
        return true;
    }
    const QImage background = BuildBackground(settings_.BackgroundMode, file, desktop, size.Width, size.Height, &error);
    if (background.isNull()) {
        ShowStartError(StartFailure::BackgroundUnreadable, error, file);
        return false;
    }
    std::string glError;
    if (!egl_)
        egl_ = EglDisplay::Open(display_.Handle(), glError);
    if (egl_) {
        // The scene shows the background as a 512 x 512 texture behind everything.
        const QImage texture = background.scaled(512, 512, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        entry.Show = OutputShow3D::Create(settings_, flags_, music_, std::move(surface), *egl_, *aircraft_,
                                          SurfaceOfImage(texture), seed_++, cursor, glError);
    }
    if (!entry.Show) {
        ShowStartError(StartFailure::NoOpenGl33, QString::fromStdString(glError));
        return false;
    }
    return true;
}

bool WaylandShow::FollowSizes()
{
    // An output whose mode changed gets a new flight at its new show size, as a daemon's
    // window that changes size does.
    for (Entry& entry : shows_) {
        const ShowSurface& place = entry.Show->Place();
        const ShowSize size = ShowSizeFor(place.PixelWidth(), place.PixelHeight(), settings_.DisplayMode);
        if (size == entry.Show->Size() && entry.Show->SizedForPlace())
            continue;
        std::unique_ptr<ShowSurface> surface = entry.Show->ReleasePlace();
        entry.Show.reset();
        if (!Start(entry, std::move(surface)))
            return false;
    }
    return true;
}

void WaylandShow::DropShowsOf(const std::vector<std::unique_ptr<WaylandOutput>>& gone)
{
    for (const auto& output : gone) {
        arrivals_.Forget(output.get());
        const auto show = std::find_if(shows_.begin(), shows_.end(),
                                       [&output](const Entry& e) { return e.Output == output.get(); });
        if (show == shows_.end())
            continue;
        presented_ += show->Show->Place().PresentedFrames();
        shows_.erase(show);
    }
}

bool WaylandShow::FollowOutputs()
{
    DropShowsOf(display_.TakeGoneOutputs());
    const Clock::time_point now = Clock::now();
    std::vector<WaylandOutput*> ready;
    for (WaylandOutput* output : display_.TakeNewOutputs()) {
        if (started_ && settings_.BackgroundMode == 0)
            arrivals_.Arrive(output, now);
        else
            ready.push_back(output);
    }
    started_ = true;
    for (WaylandOutput* output : arrivals_.TakeDue(now))
        ready.push_back(output);
    if (!ready.empty() && !Add(ready))
        return false;
    // An output may have gone while a new one's surface was being made.
    DropShowsOf(display_.TakeGoneOutputs());
    return FollowSizes();
}

bool WaylandShow::AllClosedWentWithTheirOutputs()
{
    // The compositor closes an output's layer surfaces before it says the output is gone;
    // its answer to a round trip tells the two apart.
    if (!display_.Roundtrip())
        return false;
    const size_t before = shows_.size();
    DropShowsOf(display_.TakeGoneOutputs());
    const bool wentWithOutput = shows_.size() < before;
    closed_ = false;
    return wentWithOutput;
}

bool WaylandShow::Pass()
{
    const Clock::time_point now = Clock::now();
    bool goOn = true;
    for (Entry& entry : shows_)
        goOn = entry.Show->PassIfDue(now) && goOn;
    return goOn && flags_.ExitRequest != 1;
}

int WaylandShow::WaitMilliseconds() const
{
    std::optional<Clock::time_point> next = arrivals_.NextDue();
    for (const Entry& entry : shows_)
        if (const auto work = entry.Show->NextWork(); work && (!next || *work < *next))
            next = work;
    if (!next)
        return -1;
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(*next - Clock::now()).count();
    return static_cast<int>(std::clamp<long long>(wait, 0, 60000));
}

// Reads the 3D kind's model through the model file in the work folder, as the X11 show
// does, one show of any user of that folder at a time. False when the show must end:
// status says how (0 when a signal came while waiting its turn).
bool LoadAircraft(int16_t kind, WaylandDisplay& display, Mesh& aircraft, int& status)
{
    const std::string programFolder = QCoreApplication::applicationDirPath().toStdString();
    const std::string workFolder = ChooseWorkFolder(programFolder);
    QLockFile workFilesLock(QString::fromStdString(WorkFilePath(workFolder, ".work-files.lock")));
    status = 0;
    while (!TryLockNow(workFilesLock)) {
        const WaylandDisplay::Wait woke = display.WaitForEvents(50);
        if (woke == WaylandDisplay::Wait::Lost) {
            std::fprintf(stderr, "kestrova-saver: the Wayland compositor went away\n");
            status = 1;
        }
        if (woke != WaylandDisplay::Wait::Events)
            return false;
    }
    const QString modelFile = QString::fromStdString(ModelFilePath(workFolder));
    status = 1;
    if (!WriteModelFile(kind, workFolder, programFolder)) {
        ShowStartError(StartFailure::WorkFileUnwritable, QStringLiteral("cannot write %1").arg(modelFile), modelFile);
        return false;
    }
    QString error;
    const bool loaded = LoadModelMesh(modelFile, aircraft, error);
    if (!TruncateModelFile(workFolder)) {
        ShowStartError(StartFailure::WorkFileUnwritable, QStringLiteral("cannot empty %1").arg(modelFile), modelFile);
        return false;
    }
    if (!loaded) {
        ShowStartError(StartFailure::ModelUnreadable, error, modelFile);
        return false;
    }
    status = 0;
    return true;
}

void ShowMediaPlayerMissing()
{
    std::fprintf(stderr, "kestrova-saver: the media player cannot be used; install it or change the music "
                         "setting\n");
}

}  // namespace

int RunWaylandShowMode()
{
    InstanceLock lock(QStringLiteral("Kestrova Saver"));
    if (!lock.TryAcquire())
        return 0;
    const ShowRecord record;
    // An overlay stays above a screen locker's surface: the show goes before the lock comes.
    const SessionLockThread lockWatch([](const QString& why) {
        std::fprintf(stderr, "kestrova-saver: %s; the show ends\n", qPrintable(why));
        RequestExit();
    });
    QuietShowStartErrors();

    SaverSettings settings;
    LoadSettings(settings);
    ShowFlags flags;
    if (settings.MusicMode == 3 && !MediaPlayerAvailable()) {
        ShowMediaPlayerMissing();
        return 0;
    }
    std::string error;
    std::unique_ptr<WaylandDisplay> display = WaylandDisplay::Connect(&error);
    if (!display) {
        ShowStartError(StartFailure::WindowNotMade, QString::fromStdString(error));
        return 1;
    }
    display->OnPress = [&flags] { flags.ExitRequest = 1; };
    // Before any picture of the desktop is taken, and before the show's windows come.
    if (InGnomeSession())
        CloseGnomeOverview(1000);
    std::optional<Mesh> aircraft;
    if (settings.AirplaneKind >= 200) {
        int loadStatus = 0;
        if (!LoadAircraft(settings.AirplaneKind, *display, aircraft.emplace(), loadStatus))
            return loadStatus;
    }

    InstanceLock musicLock(MusicLockName());
    MusicController music(MusicSettings(settings, musicLock), AppFolder().toStdString(), MakeMusicDevices());
    int status = 0;
    const Clock::time_point started = Clock::now();
    double firstFrameMs = -1;
    long presented = 0;
    {
        WaylandShow show(*display, settings, flags, music, aircraft ? &*aircraft : nullptr);
        auto nextMusicPoll = Clock::now() + std::chrono::seconds(2);
        try {
            while (status == 0) {
                if (!show.FollowOutputs()) {
                    status = 1;
                    break;
                }
                if (!show.Pass())
                    break;
                if (firstFrameMs < 0 && show.PresentedFrames() > 0)
                    firstFrameMs = MillisecondsSinceProcessStart();
                const Clock::time_point now = Clock::now();
                if (now >= nextMusicPoll) {
                    music.MusicControl(MusicController::Poll);
                    nextMusicPoll = now + std::chrono::seconds(2);
                }
                const int untilMusic = static_cast<int>(
                    std::chrono::ceil<std::chrono::milliseconds>(nextMusicPoll - now).count());
                const int wait = show.WaitMilliseconds();
                const WaylandDisplay::Wait woke = display->WaitForEvents(wait < 0 ? untilMusic : std::min(wait, untilMusic));
                if (woke == WaylandDisplay::Wait::Signal)
                    break;
                if (woke == WaylandDisplay::Wait::Lost) {
                    std::fprintf(stderr, "kestrova-saver: the Wayland compositor went away\n");
                    status = 1;
                } else if (show.SurfaceClosed() && !show.AllClosedWentWithTheirOutputs()) {
                    break;
                }
            }
        } catch (const std::exception& failure) {
            // A picture the show cannot read.
            ShowStartError(StartFailure::PictureUnreadable, QString::fromUtf8(failure.what()));
            status = 1;
        }
        presented = show.PresentedFrames();
    }
    music.MusicControl(MusicController::Stop);
    ReportShowStats(presented, std::chrono::duration<double>(Clock::now() - started).count(), firstFrameMs);
    return status;
}
