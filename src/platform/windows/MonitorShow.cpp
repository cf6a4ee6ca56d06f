#include "MonitorShow.h"

#include "LaunchAircraft.h"
#include "Platform.h"
#include "StartFlightModel.h"
#include "StepAircraft.h"

MonitorShow::MonitorShow(const SaverSettings& settings, const RECT& monitor, ShowSize size, const wchar_t* title,
                         uint64_t seed, Surface background)
    : settings_(settings),
      window_(monitor, size.Width, size.Height, title),
      flight_(settings_, size.Width, size.Height, seed),
      composer_(size.Width, size.Height)
{
    composer_.SetBackground(std::move(background));
    composer_.SetPresenter([this](const Surface& frame) {
        window_.Present(frame, [this](auto visit) { composer_.ForEachChangedBlock(visit); });
    });
}

void MonitorShow::LoadSmoke()
{
    composer_.LoadSmokeSurfaces(ReadSmokePictures());
}

void MonitorShow::ChooseKind()
{
    const int16_t kind = StartFlightModel(flight_);
    composer_.LoadKindSprites(kind, ReadHeadingPictures(kind), KindCellEdge(kind));
}

void MonitorShow::Step()
{
    LaunchAircraft(flight_);
    StepAircraft(flight_, composer_);
}
