#pragma once

struct ShowContext;

// The three-dimensional show (kinds 200 and above): background texture and model file
// written into the work folder, the OpenGL show window, the scene, the show loop and
// the shutdown. Returns the process's exit status.
int RunShow3DRoad(ShowContext& context);
