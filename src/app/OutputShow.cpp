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
                       std::unique_ptr<ShowSurface> surface, ShowBackground background, uint64_t seed,
                       std::function<std::optional<CursorPoint>()> cursor)
    : ShowOnOutput(std::move(surface)),
      settings_(settings),
      music_(music),
      flight_(settings_, static_cast<int16_t>(background.Size.Width), static_cast<int16_t>(background.Size.Height), seed),
      composer_(background.Size.Width, background.Size.Height),
      kindChange_([](int kind) {
          KindSprites sprites;
          sprites.Load(kind, HeadingPictureReader(kind), KindCellEdge(kind));
          return sprites;
      }),
      loop_(flags, flight_.KindChangeRequest, settings_.AirplaneKind, settings_.BlueWait,
            {[this] {
                 AimNextFrame(true);
                 LaunchAircraft(flight_);
                 StepAircraft(flight_, composer_);
                 if (std::optional<KindSprites> ready = kindChange_.TakeReady(flight_))
                     StartFlight(std::move(ready));
             },
             std::move(cursor), [this](int ms) { Pause(ms); }, [] {}, [this] { kindChange_.Begin(flight_); }})
{
    // A show as large as the surface's pixels is composed straight into its buffers;
    // a smaller one ("display mode") is composed apart and fitted.
    direct_ = surface_->PixelWidth() == flight_.ScreenWidth && surface_->PixelHeight() == flight_.ScreenHeight;
    if (direct_)
        composer_.ComposeIntoTargets();
    if (background.Picture.Width() > 0)
        composer_.SetBackground(std::move(background.Picture));
    else
        composer_.SetBackgroundColour(background.Colour);
    composer_.SetPresenter([this](const Surface& frame) {
        if (target_)
            surface_->Commit(*target_, composer_.WholeFrameChanged());
        else
            surface_->Present(frame);
        target_ = nullptr;
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
    // A restart within a pass whose frame took the free buffer is not drawn rather
    // than given a buffer of its own.
    AimNextFrame(false);
    LaunchAircraft(flight_);
    StepAircraft(flight_, composer_);
    composer_.MakeTheRestOfTheKindInTheBackground();
}

bool OutputShow::SizedForPlace() const
{
    return !direct_ || (surface_->PixelWidth() == flight_.ScreenWidth && surface_->PixelHeight() == flight_.ScreenHeight);
}

void OutputShow::AimNextFrame(bool mayAddBuffer)
{
    if (!direct_ || target_)
        return;
    target_ = surface_->NextBuffer(mayAddBuffer);
    // The surface's pixels no longer match the show's size: the show is started anew.
    if (target_ && (target_->Width() != flight_.ScreenWidth || target_->Height() != flight_.ScreenHeight))
        target_ = nullptr;
    if (target_)
        composer_.NextFrameInto(target_->Pixels(), target_->Memory);
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
