#pragma once

#include "EglOutput.h"
#include "Flight.h"
#include "GlFunctions.h"
#include "Mesh.h"
#include "SaverSettings.h"
#include "SceneRenderer.h"
#include "Show3D.h"
#include "ShowLoop.h"
#include "ShowOnOutput.h"

#include <functional>
#include <memory>
#include <string>

class MusicController;

// One output's 3D show under Wayland: a flight and scene of its own at its surface's
// show size, drawn by the shared renderer through the output's own OpenGL context at
// the surface's pixel size, one pass each time the compositor asks for a frame. Where
// the driver keeps the last frame in the back buffer only what changed is drawn and
// sent as damage.
class OutputShow3D : public ShowOnOutput {
public:
    // surface is configured; background is the scene's backdrop texture. Null with the
    // reason when OpenGL 3.3 core cannot draw on the surface.
    static std::unique_ptr<OutputShow3D> Create(const SaverSettings& settings, ShowFlags& flags,
                                                MusicController& music, std::unique_ptr<ShowSurface> surface,
                                                const EglDisplay& egl, const Mesh& aircraft, Surface background,
                                                uint64_t seed, std::function<std::optional<CursorPoint>()> cursor,
                                                std::string& error);

    ShowSize Size() const override { return {flight_.ScreenWidth, flight_.ScreenHeight}; }
    bool PassIfDue(Clock::time_point now) override { return PassWhenAsked(now, loop_); }

private:
    OutputShow3D(const SaverSettings& settings, ShowFlags& flags, std::unique_ptr<ShowSurface> surface,
                 std::unique_ptr<EglOutput> gl, const ShowSize& size, uint64_t seed,
                 std::function<std::optional<CursorPoint>()> cursor);
    void DrawFrame();

    SaverSettings settings_;
    std::unique_ptr<EglOutput> egl_;  // before the renderer, whose GL objects are its context's
    GlFunctions gl_;
    SceneRenderer renderer_;
    Flight flight_;
    Show3D show_;
    ShowLoop loop_;
};
