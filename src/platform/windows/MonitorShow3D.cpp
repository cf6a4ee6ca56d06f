#include "MonitorShow3D.h"

MonitorShow3D::MonitorShow3D(const SaverSettings& settings, const OtherMonitorShow& place, const wchar_t* title)
    : settings_(settings),
      window_(POINT{place.Monitor.left, place.Monitor.top}, place.Size.Width, place.Size.Height, title),
      flight_(settings_, place.Size.Width, place.Size.Height, place.Seed),
      show_(flight_)
{
}

bool MonitorShow3D::Prepare(Mesh aircraft, Surface texture, PictureFileReader readPicture, std::string& error)
{
    if (!context_.Create(window_.Handle(), error, false) || !context_.LoadFunctions(gl_, error))
        return false;
    renderer_.emplace(gl_, std::move(readPicture));
    if (!renderer_->Initialize(error))
        return false;
    show_.BuildScene3D(std::move(aircraft), std::move(texture));
    return true;
}

void MonitorShow3D::Step()
{
    context_.MakeCurrent();
    show_.StepShow3D();
    renderer_->Render(show_.Graph(), show_.Scene(), show_.Camera(), flight_.ScreenWidth, flight_.ScreenHeight);
    context_.Swap();
}
