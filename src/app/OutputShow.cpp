#include "OutputShow.h"

#include "LaunchAircraft.h"
#include "MusicController.h"
#include "Platform.h"
#include "QtPictures.h"
#include "StartFlightModel.h"
#include "StepAircraft.h"

namespace {

constexpr std::chrono::seconds KindTimerInterval{60};

}  // namespace

OutputShow::OutputShow(const SaverSettings& settings, ShowFlags& flags, MusicController& music,
                       std::unique_ptr<ShowSurface> surface, const Surface& background, uint64_t seed,
                       std::function<std::optional<CursorPoint>()> cursor)
    : ShowOnOutput(std::move(surface)),
      settings_(settings),
      music_(music),
      flight_(settings_, static_cast<int16_t>(background.Width()), static_cast<int16_t>(background.Height()), seed),
      composer_(background.Width(), background.Height()),
      kindChange_([](int kind) {
          KindSprites sprites;
          sprites.Load(kind, HeadingPictureReader(kind), KindCellEdge(kind));
          return sprites;
      }),
      loop_(flags, flight_.KindChangeRequest, settings_.AirplaneKind, settings_.BlueWait,
            {[this] {
                 LaunchAircraft(flight_);
                 StepAircraft(flight_, composer_);
                 if (std::optional<KindSprites> ready = kindChange_.TakeReady(flight_))
                     StartFlight(std::move(ready));
             },
             std::move(cursor), [this](int ms) { Pause(ms); }, [] {}, [this] { kindChange_.Begin(flight_); }})
{
    composer_.SetBackground(background);
    changed_.reserve(static_cast<size_t>(composer_.MostChangedRuns()));
    composer_.SetPresenter([this](const Surface& frame) {
        changed_.clear();
        composer_.ForEachChangedRun([this](const Rect& run) { changed_.push_back(run); });
        surface_->Present(frame, changed_);
    });
    StartFlight(std::nullopt);
    // The first frame draws no smoke, so it need not wait for the smoke pictures.
    composer_.LoadSmokeSurfaces(ReadSmokePictures());
    loop_.RememberPositions();
}

void OutputShow::StartFlight(std::optional<KindSprites> madeAhead)
{
    const int16_t kind = StartFlightModel(flight_);
    if (settings_.AirplaneKind == 101)
        nextKindTick_ = Clock::now() + KindTimerInterval;
    if (!madeAhead) {
        // The first frame makes or waits for only the sizes it draws.
        madeAhead.emplace();
        madeAhead->Start(kind, HeadingPictureReader(kind), KindCellEdge(kind));
    }
    composer_.UseKindSprites(std::move(*madeAhead));
    music_.MusicControl(MusicController::Start);
    LaunchAircraft(flight_);
    StepAircraft(flight_, composer_);
    composer_.MakeTheRestOfTheKindInTheBackground();
}

bool OutputShow::PassIfDue(Clock::time_point now)
{
    if (nextKindTick_ && now >= *nextKindTick_) {
        kindTimer_.Tick(flight_.KindChangeRequest);
        *nextKindTick_ += KindTimerInterval;
    }
    return PassWhenAsked(now, loop_);
}

std::optional<OutputShow::Clock::time_point> OutputShow::NextWork() const
{
    const std::optional<Clock::time_point> frame = NextFrame();
    if (!nextKindTick_ || (frame && *frame < *nextKindTick_))
        return frame;
    return nextKindTick_;
}
