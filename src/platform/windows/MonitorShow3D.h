#pragma once

#include "Flight.h"
#include "GlFunctions.h"
#include "Mesh.h"
#include "Monitors.h"
#include "SaverSettings.h"
#include "SceneRenderer.h"
#include "Show3D.h"
#include "Show3DWindow.h"
#include "WglContext.h"

#include <optional>
#include <string>

// The 3D show on a monitor other than the primary: its own window, OpenGL context,
// renderer, flight and scene, at its own size. It follows the primary's pace: its
// context never waits for the display's refresh.
class MonitorShow3D {
public:
    MonitorShow3D(const SaverSettings& settings, const OtherMonitorShow& place, const wchar_t* title);
    MonitorShow3D(const MonitorShow3D&) = delete;
    MonitorShow3D& operator=(const MonitorShow3D&) = delete;

    bool Valid() const { return window_.Valid(); }
    Show3DWindow& Window() { return window_; }

    // The context, the renderer (reading texture pictures with readPicture) and the scene
    // with the aircraft and the background texture. False with a reason.
    bool Prepare(Mesh aircraft, Surface texture, PictureFileReader readPicture, std::string& error);
    // One frame, drawn and shown.
    void Step();

private:
    SaverSettings settings_;
    Show3DWindow window_;
    WglContext context_;
    GlFunctions gl_;
    std::optional<SceneRenderer> renderer_;
    Flight flight_;
    Show3D show_;
};
