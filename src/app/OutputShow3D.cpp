#include "OutputShow3D.h"

#include "MusicController.h"
#include "QtGlFunctions.h"

std::unique_ptr<OutputShow3D> OutputShow3D::Create(const SaverSettings& settings, ShowFlags& flags,
                                                   MusicController& music, std::unique_ptr<ShowSurface> surface,
                                                   const EglDisplay& egl, const Mesh& aircraft, Surface background,
                                                   uint64_t seed, std::function<std::optional<CursorPoint>()> cursor,
                                                   std::string& error)
{
    const ShowSize size = ShowSizeFor(surface->PixelWidth(), surface->PixelHeight(), settings.DisplayMode);
    std::unique_ptr<EglOutput> gl =
        EglOutput::Create(egl, surface->Handle(), surface->PixelWidth(), surface->PixelHeight(), error);
    if (!gl)
        return nullptr;
    surface->DrawnByGl();
    std::unique_ptr<OutputShow3D> show(
        new OutputShow3D(settings, flags, std::move(surface), std::move(gl), size, seed, std::move(cursor)));
    if (!show->egl_->LoadFunctions(show->gl_, error) || !show->renderer_.Initialize(error))
        return nullptr;
    show->show_.BuildScene3D(aircraft, std::move(background));
    show->settings_.SmokeLength = 500;  // for this show only; the stored setting stays
    music.MusicControl(MusicController::Start);
    show->loop_.RememberPositions();
    return show;
}

OutputShow3D::OutputShow3D(const SaverSettings& settings, ShowFlags& flags, std::unique_ptr<ShowSurface> surface,
                           std::unique_ptr<EglOutput> gl, const ShowSize& size, uint64_t seed,
                           std::function<std::optional<CursorPoint>()> cursor)
    : ShowOnOutput(std::move(surface)),
      settings_(settings),
      egl_(std::move(gl)),
      renderer_(gl_, ReadTexturePicture),
      flight_(settings_, static_cast<int16_t>(size.Width), static_cast<int16_t>(size.Height), seed),
      show_(flight_),
      loop_(flags, flight_.KindChangeRequest, settings_.AirplaneKind, settings_.BlueWait,
            {[this] {
                 show_.StepShow3D();
                 DrawFrame();
             },
             std::move(cursor), [this](int ms) { Pause(ms); }, [] {}, {}})
{
}

void OutputShow3D::DrawFrame()
{
    // The contexts of all outputs take turns on this thread.
    if (!egl_->MakeCurrent(surface_->PixelWidth(), surface_->PixelHeight()))
        return;
    const int age = egl_->BackBufferAge();
    const auto& changed = renderer_.Render(show_.Graph(), show_.Scene(), show_.Camera(), surface_->PixelWidth(),
                                           surface_->PixelHeight(), age);
    surface_->CommitComing();
    egl_->Swap(changed, age > 0);
}
